#include "persist/save_commit.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "engine/engine_error.h"
#include "persist/io_error.h"
#include "persist/text_reader.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace persist {

const char* const kCommitMarker = "save.commit";

namespace {

constexpr const char* kMarkerHeader = "perolet save commit 1";
constexpr const char* kMarkerEnd = "end";
// A marker names two files; anything much bigger is not one of ours.
constexpr size_t kLargestMarker = 4096;

// FNV-1a: enough to tell a temporary that is not the one the marker was written for.
uint64_t Fingerprint(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 14695981039346656037ULL;
  for (uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ULL;
  return hash;
}

struct TMarkerEntry {
  std::string name;
  size_t size = 0;
  uint64_t fingerprint = 0;
};

std::vector<uint8_t> MarkerBytes(const std::vector<TSaveFile>& files) {
  TTextWriter out;
  out.Line(kMarkerHeader);
  for (const TSaveFile& file : files)
    out.Line(file.name + " " + std::to_string(file.bytes.size()) + " " +
             std::to_string(Fingerprint(file.bytes)));
  out.Line(kMarkerEnd);
  return out.Bytes();
}

// A torn or foreign marker reads as none: the commit it belonged to never reached its point.
// Only the save's own names are taken from it, never a path.
std::optional<std::vector<TMarkerEntry>> ReadMarker(const std::string& path,
                                                    const std::vector<std::string>& names) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!platform::ReadWholeFile(path, bytes, why) || bytes.size() > kLargestMarker)
    return std::nullopt;
  const std::string text(bytes.begin(), bytes.end());
  std::vector<TMarkerEntry> entries;
  size_t pos = 0;
  bool headerSeen = false;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) return std::nullopt;
    const std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (!headerSeen) {
      if (line != kMarkerHeader) return std::nullopt;
      headerSeen = true;
    } else if (line == kMarkerEnd) {
      return pos == text.size() ? std::optional(entries) : std::nullopt;
    } else {
      TMarkerEntry entry;
      char name[64] = {};
      unsigned long long size = 0;
      unsigned long long fingerprint = 0;
      if (std::sscanf(line.c_str(), "%63s %llu %llu", name, &size, &fingerprint) != 3)
        return std::nullopt;
      if (std::find(names.begin(), names.end(), name) == names.end()) return std::nullopt;
      entries.push_back({name, static_cast<size_t>(size), fingerprint});
    }
  }
  return std::nullopt;
}

bool Matches(const std::string& path, const TMarkerEntry& entry) {
  std::vector<uint8_t> bytes;
  std::string why;
  return platform::ReadWholeFile(path, bytes, why) && bytes.size() == entry.size &&
         Fingerprint(bytes) == entry.fingerprint;
}

void Check(int error, const std::string& path) {
  if (error != 0) throw engine::EInOutError(IoFailureMessage(error, path));
}

void RemoveTemporaries(const std::string& folder, const std::vector<TSaveFile>& files) {
  for (const TSaveFile& file : files)
    platform::RemoveFile(platform::InFolder(folder, TemporaryName(file.name)));
}

}  // namespace

std::string TemporaryName(const std::string& name) {
  return name + ".tmp";
}

void CommitSaveFiles(const std::string& folder, const std::vector<TSaveFile>& files,
                     const TCommitStep& afterStep) {
  auto step = [&afterStep]() {
    if (afterStep) afterStep();
  };
  const std::string marker = platform::InFolder(folder, kCommitMarker);
  Check(platform::MakeFolders(folder), platform::AbsolutePath(folder));
  // A leftover marker of a commit that could not be finished must not adopt these files.
  Check(platform::RemoveFile(marker), platform::AbsolutePath(marker));
  for (const TSaveFile& file : files) {
    const std::string temporary = platform::InFolder(folder, TemporaryName(file.name));
    if (const int error = platform::WriteFileSynced(temporary, file.bytes)) {
      RemoveTemporaries(folder, files);
      Check(error, platform::AbsolutePath(platform::InFolder(folder, file.name)));
    }
    step();
  }
  auto orRollBack = [&](int error, const std::string& path) {
    if (error == 0) return;
    platform::RemoveFile(marker);
    RemoveTemporaries(folder, files);
    Check(error, platform::AbsolutePath(path));
  };
  orRollBack(platform::SyncFolder(folder), folder);
  step();
  orRollBack(platform::WriteFileSynced(marker, MarkerBytes(files)), marker);
  step();
  orRollBack(platform::SyncFolder(folder), folder);
  step();
  // The commit point is behind us: from here on a crash is finished by the next start, so a
  // failure now still counts as saved once the renames go through.
  for (const TSaveFile& file : files) {
    const std::string path = platform::InFolder(folder, file.name);
    Check(platform::RenameFile(platform::InFolder(folder, TemporaryName(file.name)), path),
          platform::AbsolutePath(path));
    step();
  }
  Check(platform::SyncFolder(folder), platform::AbsolutePath(folder));
  step();
  Check(platform::RemoveFile(marker), platform::AbsolutePath(marker));
  step();
  platform::SyncFolder(folder);
}

void FinishInterruptedCommit(const std::string& folder, const std::vector<std::string>& names) {
  const std::string marker = platform::InFolder(folder, kCommitMarker);
  if (platform::PathKind(marker) == platform::TPathKind::Missing) {
    // No commit was under way, or it never reached its point: its temporaries go.
    for (const std::string& name : names)
      platform::RemoveFile(platform::InFolder(folder, TemporaryName(name)));
    return;
  }
  const auto entries = ReadMarker(marker, names);
  for (const TMarkerEntry& entry : entries.value_or(std::vector<TMarkerEntry>{})) {
    const std::string temporary = platform::InFolder(folder, TemporaryName(entry.name));
    if (platform::PathKind(temporary) == platform::TPathKind::Missing) continue;  // renamed
    if (Matches(temporary, entry))
      platform::RenameFile(temporary, platform::InFolder(folder, entry.name));
    else
      platform::RemoveFile(temporary);
  }
  platform::SyncFolder(folder);
  platform::RemoveFile(marker);
  platform::SyncFolder(folder);
  if (!entries) FinishInterruptedCommit(folder, names);  // a torn marker: the temporaries go too
}

}  // namespace persist
