#include "screens/screen_text.h"

#include <unordered_map>

#include "platform/text_encoding.h"

const std::string& Cp1251Text(const char* utf8) {
  static std::unordered_map<const char*, std::string> converted;
  auto [it, added] = converted.try_emplace(utf8);
  if (added) it->second = platform::Cp1251FromUtf8(utf8);
  return it->second;
}
