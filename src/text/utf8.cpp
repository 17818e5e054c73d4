#include "text/utf8.h"

namespace text {

namespace {

constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kPastSurrogates = 0xE000;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

size_t Utf8Length(char32_t cp) {
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : cp <= kLastCodePoint ? 4 : 0;
}

char32_t NextCodePoint(const std::string& s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  const int length = lead < 0x80         ? 1
                     : (lead >> 5) == 6  ? 2
                     : (lead >> 4) == 14 ? 3
                     : (lead >> 3) == 30 ? 4
                                         : 0;
  if (length == 0 || pos + length > s.size()) {
    ++pos;
    return kReplacementCharacter;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kReplacementCharacter;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  pos += length;
  return cp;
}

std::string Utf8FromUtf16Le(std::span<const uint8_t> units) {
  std::string out;
  const auto unitAt = [&units](size_t i) -> char32_t { return units[i] | (units[i + 1] << 8); };
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    const char32_t unit = unitAt(i);
    if (unit >= kFirstSurrogate && unit < kFirstLowSurrogate && i + 3 < units.size()) {
      const char32_t low = unitAt(i + 2);
      if (low >= kFirstLowSurrogate && low < kPastSurrogates) {
        AppendUtf8(out, kFirstSupplementary + ((unit - kFirstSurrogate) << 10) +
                            (low - kFirstLowSurrogate));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out,
               unit >= kFirstSurrogate && unit < kPastSurrogates ? kReplacementCharacter : unit);
  }
  return out;
}

}  // namespace text
