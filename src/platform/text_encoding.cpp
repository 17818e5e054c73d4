#include "platform/text_encoding.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>

namespace platform {

namespace {

// The upper half of code page 1251 as code points, read once from iconv; 0 marks a byte that
// stands for no character.
struct TCp1251Table {
  std::array<char32_t, 128> upper{};
  std::map<char32_t, unsigned char> reverse;

  TCp1251Table() {
    iconv_t cd = iconv_open("UTF-32LE", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP1251");
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      char in = static_cast<char>(byte);
      std::array<unsigned char, 4> out{};
      char* inPtr = &in;
      char* outPtr = reinterpret_cast<char*>(out.data());
      size_t inLeft = 1;
      size_t outLeft = out.size();
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) continue;
      const char32_t cp = out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t{out[3]} << 24);
      upper[byte - 0x80] = cp;
      reverse[cp] = static_cast<unsigned char>(byte);
    }
    iconv_close(cd);
  }
};

const TCp1251Table& Table() {
  static const TCp1251Table table;
  return table;
}

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

constexpr char32_t kMalformed = 0xFFFD;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr char32_t kLastCodePoint = 0x10FFFF;

// The bytes the shortest UTF-8 form of a code point takes; 0 for no code point.
size_t Utf8Length(char32_t cp) {
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : cp <= kLastCodePoint ? 4 : 0;
}

// Decodes one UTF-8 sequence at `pos`; a malformed one yields kMalformed and skips one byte.
char32_t NextCodePoint(const std::string& s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  int length = lead < 0x80         ? 1
               : (lead >> 5) == 6  ? 2
               : (lead >> 4) == 14 ? 3
               : (lead >> 3) == 30 ? 4
                                   : 0;
  if (length == 0 || pos + length > s.size()) {
    ++pos;
    return kMalformed;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kMalformed;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  pos += length;
  return cp;
}

}  // namespace

std::string Utf8FromCp1251(const std::string& cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else if (const char32_t cp = Table().upper[byte - 0x80]; cp != 0) {
      AppendUtf8(out, cp);
    }
  }
  return out;
}

std::string Utf8ForDisplay(const std::string& bytes) {
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

std::string Cp1251FromUtf8(const std::string& utf8) {
  std::string out;
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (const auto found = Table().reverse.find(cp); found != Table().reverse.end()) {
      out += static_cast<char>(found->second);
    }
  }
  return out;
}

}  // namespace platform
