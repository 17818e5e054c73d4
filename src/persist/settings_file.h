#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace persist {

// The name of our own settings file in the save folder, beside the options file: what the
// game can be told that the options file has no line for.
constexpr const char* kSettingsFile = "settings";

// `key=value` lines. A line the game does not know (another version's key, a comment, a line
// without "=") is kept as it stands; a known key whose value is bad is given its default.
class TSettingsFile {
 public:
  // Never fails: bytes past the size any real file has, or bytes that are not text, read as
  // an empty file.
  static TSettingsFile Parse(const std::vector<uint8_t>& bytes);

  // The value of `key`, or `fallback` when the key is missing or `valid` refuses its value;
  // either way the file then holds the value returned.
  std::string Setting(const std::string& key, const std::string& fallback,
                      const std::function<bool(const std::string&)>& valid);
  std::optional<std::string> Get(const std::string& key) const;
  void Set(const std::string& key, const std::string& value);
  std::vector<uint8_t> Bytes() const;  // lines ended by LF

 private:
  std::vector<std::string> lines_;
};

// The file in `folder`; a missing or unreadable one reads as empty.
TSettingsFile LoadSettingsFile(const std::string& folder);
// Replaces the file in one step; false when it could not be written (the game runs on).
bool SaveSettingsFile(const std::string& folder, const TSettingsFile& file);

}  // namespace persist
