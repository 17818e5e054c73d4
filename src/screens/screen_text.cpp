#include "screens/screen_text.h"

#include <unordered_map>

#include "text/cp1251.h"

const std::string& Cp1251Text(const char* utf8) {
  static std::unordered_map<const char*, std::string> converted;
  auto [it, added] = converted.try_emplace(utf8);
  if (added) it->second = text::Cp1251FromUtf8(utf8);
  return it->second;
}
