#include "persist/settings_file.h"

#include "platform/file_io.h"
#include "platform/paths.h"

namespace persist {

namespace {

// A dozen short lines are all the game writes; anything near this is not our file.
constexpr size_t kLargestSettingsFile = 64 * 1024;
constexpr size_t kLongestKey = 64;

bool IsText(const std::vector<uint8_t>& bytes) {
  for (uint8_t b : bytes)
    if (b < ' ' && b != '\n' && b != '\r' && b != '\t') return false;
  return true;
}

std::string KeyOf(const std::string& line) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos || equals == 0 || equals > kLongestKey) return {};
  return line.substr(0, equals);
}

}  // namespace

TSettingsFile TSettingsFile::Parse(const std::vector<uint8_t>& bytes) {
  TSettingsFile file;
  if (bytes.size() > kLargestSettingsFile || !IsText(bytes)) return file;
  std::string line;
  for (uint8_t b : bytes) {
    if (b == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      file.lines_.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(b);
    }
  }
  if (!line.empty()) file.lines_.push_back(line);
  return file;
}

std::optional<std::string> TSettingsFile::Get(const std::string& key) const {
  for (const std::string& line : lines_)
    if (KeyOf(line) == key) return line.substr(key.size() + 1);
  return std::nullopt;
}

void TSettingsFile::Set(const std::string& key, const std::string& value) {
  for (std::string& line : lines_) {
    if (KeyOf(line) == key) {
      line = key + "=" + value;
      return;
    }
  }
  lines_.push_back(key + "=" + value);
}

std::string TSettingsFile::Setting(const std::string& key, const std::string& fallback,
                                   const std::function<bool(const std::string&)>& valid) {
  const auto value = Get(key);
  if (value && valid(*value)) return *value;
  Set(key, fallback);
  return fallback;
}

std::vector<uint8_t> TSettingsFile::Bytes() const {
  std::vector<uint8_t> bytes;
  for (const std::string& line : lines_) {
    bytes.insert(bytes.end(), line.begin(), line.end());
    bytes.push_back('\n');
  }
  return bytes;
}

TSettingsFile LoadSettingsFile(const std::string& folder) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!platform::ReadWholeFile(platform::InFolder(folder, kSettingsFile), bytes, why)) return {};
  return TSettingsFile::Parse(bytes);
}

bool SaveSettingsFile(const std::string& folder, const TSettingsFile& file) {
  std::string why;
  return platform::MakeFolders(folder) == 0 &&
         platform::WriteWholeFile(platform::InFolder(folder, kSettingsFile), file.Bytes(), why);
}

}  // namespace persist
