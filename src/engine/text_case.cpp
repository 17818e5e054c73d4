#include "engine/text_case.h"

#include <array>

namespace engine {

namespace {

// Capitals of the upper half outside А..Я, paired with their small letters.
constexpr std::array<std::array<uint8_t, 2>, 15> kUpperHalfPairs{{
    {0x80, 0x90},
    {0x81, 0x83},
    {0x8A, 0x9A},
    {0x8C, 0x9C},
    {0x8D, 0x9D},
    {0x8E, 0x9E},
    {0x8F, 0x9F},
    {0xA1, 0xA2},
    {0xA3, 0xBC},
    {0xA5, 0xB4},
    {0xA8, 0xB8},
    {0xAA, 0xBA},
    {0xAF, 0xBF},
    {0xB2, 0xB3},
    {0xBD, 0xBE},
}};

struct TLowerTable {
  std::array<uint8_t, 256> lower{};
  TLowerTable() {
    for (int c = 0; c < 256; ++c) lower[c] = static_cast<uint8_t>(c);
    for (int c = 'A'; c <= 'Z'; ++c) lower[c] = static_cast<uint8_t>(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) lower[c] = static_cast<uint8_t>(c + 32);  // А..Я
    for (const auto& pair : kUpperHalfPairs) lower[pair[0]] = pair[1];
  }
};

const TLowerTable& Table() {
  static const TLowerTable table;
  return table;
}

}  // namespace

uint8_t LowerCp1251(uint8_t c) {
  return Table().lower[c];
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

}  // namespace engine
