#include "text/cp1251.h"

#include <array>

#include "text/utf8.h"

namespace text {

namespace {

constexpr uint8_t kUndefinedByte = 0x98;
constexpr uint8_t kFirstCyrillicLetter = 0xC0;  // А..я follow in order from U+0410
constexpr char32_t kCyrillicA = 0x0410;
constexpr char32_t kPastCyrillicYa = 0x0450;

// 0x80..0xBF: the code page's own choice of letters and signs (0 at the undefined byte).
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr std::optional<char32_t> CodePointOf(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte == kUndefinedByte) return std::nullopt;
  if (byte >= kFirstCyrillicLetter) return kCyrillicA + (byte - kFirstCyrillicLetter);
  return kUpperHalf[byte - 0x80];
}

constexpr std::optional<uint8_t> ByteOf(char32_t cp) {
  if (cp < 0x80) return static_cast<uint8_t>(cp);
  if (cp >= kCyrillicA && cp < kPastCyrillicYa)
    return static_cast<uint8_t>(kFirstCyrillicLetter + (cp - kCyrillicA));
  for (size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == cp && cp != 0) return static_cast<uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

// The small letter of a Cyrillic or Latin capital; any other character as it is.
constexpr char32_t LowerCodePoint(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + ('a' - 'A');
  if (cp >= 0x0400 && cp < kCyrillicA) return cp + 0x50;         // Ђ..Џ, Ё among them
  if (cp >= kCyrillicA && cp < kCyrillicA + 32) return cp + 32;  // А..Я
  if (cp == 0x0490) return 0x0491;                               // Ґ
  return cp;
}

constexpr std::array<uint8_t, 256> LowerTable() {
  std::array<uint8_t, 256> lower{};
  for (int byte = 0; byte < 256; ++byte) {
    const auto c = static_cast<uint8_t>(byte);
    const auto cp = CodePointOf(c);
    lower[byte] = cp ? ByteOf(LowerCodePoint(*cp)).value_or(c) : c;
  }
  return lower;
}

constexpr std::array<uint8_t, 256> kLower = LowerTable();

}  // namespace

std::optional<char32_t> CodePointOfCp1251(uint8_t byte) {
  return CodePointOf(byte);
}

std::optional<uint8_t> Cp1251Of(char32_t cp) {
  return ByteOf(cp);
}

std::string Utf8FromCp1251(const std::string& cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251) {
    if (const auto cp = CodePointOfCp1251(static_cast<uint8_t>(c))) AppendUtf8(out, *cp);
  }
  return out;
}

std::string Cp1251FromUtf8(const std::string& utf8) {
  std::string out;
  for (size_t pos = 0; pos < utf8.size();) {
    if (const auto byte = Cp1251Of(NextCodePoint(utf8, pos))) out += static_cast<char>(*byte);
  }
  return out;
}

std::string Utf8ForDisplay(const std::string& bytes) {
  constexpr char32_t kFirstSurrogate = 0xD800;
  constexpr char32_t kLastSurrogate = 0xDFFF;
  std::string out;
  out.reserve(bytes.size());
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t start = pos;
    const char32_t cp = NextCodePoint(bytes, pos);
    if (pos - start == Utf8Length(cp) && !(cp >= kFirstSurrogate && cp <= kLastSurrogate)) {
      out.append(bytes, start, pos - start);
    } else {
      out += Utf8FromCp1251(bytes.substr(start, 1));
      pos = start + 1;
    }
  }
  return out;
}

uint8_t LowerCp1251(uint8_t c) {
  return kLower[c];
}

std::string LowerCp1251(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(LowerCp1251(static_cast<uint8_t>(c)));
  return lower;
}

bool SameTextCp1251(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerCp1251(static_cast<uint8_t>(a[i])) != LowerCp1251(static_cast<uint8_t>(b[i])))
      return false;
  return true;
}

}  // namespace text
