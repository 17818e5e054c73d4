#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

using platform::Cp1251FromUtf8;
using platform::Utf8FromCp1251;

TEST(TextEncoding, RussianTextRoundTripsThroughCodePage1251) {
  const std::string cp1251 = Cp1251FromUtf8("Перолёт: Ёж, ёлка, №5 — «да»");
  ASSERT_EQ(cp1251.size(), 28u);
  EXPECT_EQ(static_cast<unsigned char>(cp1251[0]), 0xCF);  // П
  EXPECT_EQ(static_cast<unsigned char>(cp1251[5]), 0xB8);  // ё
  EXPECT_EQ(static_cast<unsigned char>(cp1251[9]), 0xA8);  // Ё
  EXPECT_EQ(Utf8FromCp1251(cp1251), "Перолёт: Ёж, ёлка, №5 — «да»");
}

TEST(TextEncoding, CharactersTheCodePageCannotHoldAreDropped) {
  EXPECT_EQ(Cp1251FromUtf8("a\xE4\xB8\xAD"
                           "b\xF0\x9F\x98\x80"
                           "c"),
            "abc");
  // Broken UTF-8: a lone continuation byte and a cut-off sequence.
  EXPECT_EQ(Cp1251FromUtf8("x\x80y\xD0"), "xy");
}

TEST(TextEncoding, TheUnassignedByteOfTheCodePageDrawsNothing) {
  EXPECT_EQ(Utf8FromCp1251(std::string("a\x98"
                                       "b")),
            "ab");
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(all)).size(), 254u);
}

}  // namespace
