#include <gtest/gtest.h>

#include "cp1251.h"
#include "keyed_hash.h"
#include "query.h"
#include "records_page.h"
#include "text/cp1251.h"

namespace {

TEST(RecordsText, Cp1251IsTheGamesExceptThatControlsAndTheUndefinedByteAreReplaced) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    if (byte < 0x20 || byte == 0x7F || byte == 0x98) {
      // Controls and the one undefined byte: shown as the replacement character.
      EXPECT_EQ(records::Utf8FromCp1251(one), "\xEF\xBF\xBD") << byte;
    } else {
      EXPECT_EQ(records::Utf8FromCp1251(one), text::Utf8FromCp1251(one)) << byte;
    }
  }
  EXPECT_EQ(records::Utf8FromCp1251("\xC2\xE0\xF1\xFF"), "Вася");
}

TEST(RecordsText, QueryFieldsArePercentDecoded) {
  const auto q = records::TQuery::Parse("hs&prg=Feather%73trike&inf=A%2BB+C&&empty=");
  ASSERT_TRUE(q);
  EXPECT_TRUE(q->Has("hs"));
  EXPECT_EQ(q->Value("hs"), "");
  EXPECT_EQ(q->Value("prg"), "Featherstrike");
  EXPECT_EQ(q->Value("inf"), "A+B C");
  EXPECT_EQ(q->Value("empty"), "");
  EXPECT_FALSE(q->Has("show"));
  for (const char* bad : {"a=%", "a=%4", "a=%zz", "%G0=1"})
    EXPECT_FALSE(records::TQuery::Parse(bad)) << bad;
  std::string many;
  for (size_t i = 0; i <= records::kMaxQueryFields; ++i) many += "a&";
  EXPECT_FALSE(records::TQuery::Parse(many));
}

TEST(RecordsText, HtmlEscapingLeavesNoMarkup) {
  EXPECT_EQ(records::HtmlEscape("<script>alert('x')</script>&\""),
            "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&amp;&quot;");
  EXPECT_EQ(records::UtcDate(0), "1970-01-01");
  EXPECT_EQ(records::UtcDate(1796822814), "2026-12-09");
}

TEST(RecordsText, SipHashGivesThePublishedValue) {
  // The reference vector: key 00..0f, message 00..0e.
  records::TSipKey key{0x0706050403020100ULL, 0x0f0e0d0c0b0a0908ULL};
  std::string message;
  for (int i = 0; i < 15; ++i) message += static_cast<char>(i);
  EXPECT_EQ(records::SipHash24(key, message), 0xa129ca6149be45e5ULL);
  EXPECT_NE(records::SipHash24(key, "127.0.0.1"), records::SipHash24(key, "127.0.0.2"));
}

}  // namespace
