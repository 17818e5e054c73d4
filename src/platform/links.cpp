#include "platform/links.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/platform.h"

namespace platform {

namespace {

// A shortcut is a few lines; anything larger is not one.
constexpr std::streamsize kMaxShortcutBytes = 64 * 1024;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

bool HasControlOrSpace(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](unsigned char c) { return c <= ' ' || c == 0x7F; });
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<size_t>(kMaxShortcutBytes) + 1, '\0');
  in.read(text.data(), kMaxShortcutBytes + 1);
  if (in.gcount() > kMaxShortcutBytes) return std::nullopt;
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

}  // namespace

bool IsWebUrl(const std::string& text) {
  const std::string lower = Lower(text);
  const bool scheme = lower.starts_with("http://") || lower.starts_with("https://");
  const size_t hostStart = lower.find("://") + 3;
  return scheme && text.size() > hostStart && !HasControlOrSpace(text);
}

std::optional<std::string> ParseInternetShortcut(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.starts_with("[")) {
      inSection = Lower(line) == "[internetshortcut]";
      continue;
    }
    if (inSection && Lower(line).starts_with("url=")) return Trim(line.substr(4));
  }
  return std::nullopt;
}

bool OpenLink(TPlatform& platform, const std::string& urlOrShortcutPath) {
  if (IsWebUrl(urlOrShortcutPath)) return platform.OpenUrl(urlOrShortcutPath);
  const auto text = ReadSmallFile(urlOrShortcutPath);
  if (!text) return false;
  const auto url = ParseInternetShortcut(*text);
  return url && IsWebUrl(*url) && platform.OpenUrl(*url);
}

}  // namespace platform
