#include "text/cp1251.h"

#include <gtest/gtest.h>

namespace {

using text::Cp1251FromUtf8;
using text::Utf8ForDisplay;
using text::Utf8FromCp1251;

TEST(CodePage1251, RussianTextRoundTripsThroughCodePage1251) {
  const std::string cp1251 = Cp1251FromUtf8("Перолёт: Ёж, ёлка, №5 — «да»");
  ASSERT_EQ(cp1251.size(), 28u);
  EXPECT_EQ(static_cast<unsigned char>(cp1251[0]), 0xCF);  // П
  EXPECT_EQ(static_cast<unsigned char>(cp1251[5]), 0xB8);  // ё
  EXPECT_EQ(static_cast<unsigned char>(cp1251[9]), 0xA8);  // Ё
  EXPECT_EQ(Utf8FromCp1251(cp1251), "Перолёт: Ёж, ёлка, №5 — «да»");
}

TEST(CodePage1251, CharactersTheCodePageCannotHoldAreDropped) {
  EXPECT_EQ(Cp1251FromUtf8("a\xE4\xB8\xAD"
                           "b\xF0\x9F\x98\x80"
                           "c"),
            "abc");
  // Broken UTF-8: a lone continuation byte and a cut-off sequence.
  EXPECT_EQ(Cp1251FromUtf8("x\x80y\xD0"), "xy");
}

TEST(CodePage1251, TheUnassignedByteOfTheCodePageDrawsNothing) {
  EXPECT_EQ(Utf8FromCp1251(std::string("a\x98"
                                       "b")),
            "ab");
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(all)).size(), 254u);
}

// What reaches the error box is well-formed UTF-8 whatever it was given: UTF-8 stays as it
// is, and a byte that starts no well-formed sequence is a game text in code page 1251.
TEST(CodePage1251, TextForDisplayKeepsUtf8AndReadsEveryOtherByteAsTheCodePage) {
  const struct {
    std::string bytes;
    std::string shown;
  } kCases[] = {
      {"Файл рекордов: /tmp/hs", "Файл рекордов: /tmp/hs"},
      {"\xD4\xE0\xE9\xEB: hs", "Файл: hs"},                // code page 1251
      {"Image '\xD3\xF2\xEA\xE0' ёж", "Image 'Утка' ёж"},  // the two mixed
      {"\xC0\xAF", "АЇ"},                                  // overlong
      {"\xED\xB0\x80", "н°Ђ"},                             // a surrogate
      {"\xF4\x90\x80\x80", "фђЂЂ"},                        // past U+10FFFF
      {"\xD0", "Р"},                                       // cut off
  };
  for (const auto& c : kCases) EXPECT_EQ(Utf8ForDisplay(c.bytes), c.shown) << c.bytes;
}

// Names are found without regard to case: the Latin and Cyrillic capitals and those of the
// upper half (Ё, Ў, Ґ, Ђ…) each match their small letter, and nothing else changes.
TEST(CodePage1251, CapitalsMatchTheirSmallLetters) {
  EXPECT_TRUE(text::SameTextCp1251(Cp1251FromUtf8("ЁЖИК Ґанок ЂЉЊЋЏ Ўbc"),
                                   Cp1251FromUtf8("ёжик ґанок ђљњћџ ўBC")));
  EXPECT_FALSE(text::SameTextCp1251(Cp1251FromUtf8("Е"), Cp1251FromUtf8("ё")));
  EXPECT_FALSE(text::SameTextCp1251("ab", "abc"));
  int changed = 0;
  for (int c = 0; c < 256; ++c) changed += text::LowerCp1251(static_cast<uint8_t>(c)) != c;
  EXPECT_EQ(changed, 26 + 32 + 15);  // A..Z, А..Я and the upper half's capitals
}

}  // namespace
