#include "persist/replay_store.h"

#include <cstdio>
#include <cstring>

#include "persist/replay_file.h"
#include "platform/file_io.h"

namespace persist {

std::string ReplayFolderOf(const std::string& saveFolder) {
  return saveFolder + "/" + kReplayFolder;
}

std::string ReplayPathOf(const std::string& saveFolder, const std::string& stem) {
  return ReplayFolderOf(saveFolder) + "/" + stem + kReplayExtension;
}

std::string TableReplayStem(int32_t score, uint32_t seed) {
  char stem[32];
  std::snprintf(stem, sizeof stem, "%d-%08x", score, seed);
  return stem;
}

std::string KeepReplay(const std::string& saveFolder, const std::string& stem,
                       const std::vector<uint8_t>& bytes, std::string& why) {
  if (const int error = platform::MakeFolders(ReplayFolderOf(saveFolder))) {
    why = ReplayFolderOf(saveFolder) + ": " + std::strerror(error);
    return {};
  }
  const std::string path = ReplayPathOf(saveFolder, stem);
  if (!platform::WriteWholeFile(path, bytes, why)) return {};
  return path;
}

namespace {

bool OnTable(const THighScoreTable& table, const TReplayResult& result) {
  for (int i = 1; i <= kTableSize; ++i) {
    if (table[i].Name == result.Name && table[i].Points == result.Score) return true;
  }
  return false;
}

}  // namespace

void PruneReplays(const std::string& saveFolder, const THighScoreTable& table) {
  const std::string extension = kReplayExtension;
  const std::string folder = ReplayFolderOf(saveFolder);
  for (const std::string& name : platform::FileNamesIn(folder)) {
    const bool replay =
        name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
    if (!replay || name == kLastReplay + extension || name == kFaultReplay + extension) continue;
    const std::string path = folder + "/" + name;
    std::vector<uint8_t> bytes;
    std::string why;
    if (!platform::ReadWholeFile(path, bytes, why, kMostReplayFileBytes)) continue;
    try {
      if (OnTable(table, DecodeReplayResult(bytes))) continue;
    } catch (const EReplayError&) {
      continue;  // not one of ours to remove
    }
    platform::RemoveFile(path);
  }
}

}  // namespace persist
