#include "persist/score_record.h"

#include <gtest/gtest.h>

#include "persist/score_links.h"

namespace {

TEST(ScoreRecord, FieldsInOrderPaddedToFiveByteBlocks) {
  // Empty name and country, score 0: 37 bytes, three "0" to make 40.
  EXPECT_EQ(persist::BuildScoreRecord("", 0, ""), "type=0|name=|score=0|key=P|p=|add=|z=000");
  EXPECT_EQ(persist::BuildScoreRecord("a|b", 12, "RU").size() % 5, 0u);
  EXPECT_NE(persist::BuildScoreRecord("a|b", 12, "RU").find("|name=a|b|score=12|"),
            std::string::npos);
  // 43 bytes get two "0", 45 none: both encode to 72 symbols.
  const std::string r43 = persist::BuildScoreRecord("123456", 0, "");
  ASSERT_EQ(r43.size(), 45u);
  EXPECT_EQ(persist::EncodeScoreRecord(r43).size(), 72u);
  const std::string r41 = persist::BuildScoreRecord("1234", 0, "");
  EXPECT_EQ(r41.size(), 45u);  // 41 bytes and four "0"
  EXPECT_EQ(r41.substr(r41.size() - 7), "|z=0000");
  // 45 bytes already: no "0" at all, the record ends with the empty last field.
  const std::string r45 = persist::BuildScoreRecord("12345678", 0, "");
  EXPECT_EQ(r45.size(), 45u);
  EXPECT_EQ(r45.substr(r45.size() - 3), "|z=");
  EXPECT_EQ(persist::EncodeScoreRecord(r45).size(), 72u);
}

std::string Symbols(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += persist::kScoreAlphabet[v];
  return s;
}

TEST(ScoreRecord, EveryFiveBitsBecomeOneSymbol) {
  // "AAAAA" = 0x41 × 5: 01000 00101 00000 10100 00010 10000 01010 00001.
  EXPECT_EQ(persist::EncodeScoreRecord("AAAAA"), Symbols({8, 5, 0, 20, 2, 16, 10, 1}));
  // A text not a multiple of 5 bits long gets "0" bits in front: one byte, 8 bits → 10.
  EXPECT_EQ(persist::EncodeScoreRecord("\xFF"), Symbols({7, 31}));
}

// The help page writes the page as a reader would type it: no scheme, no query.
TEST(ScoreLinks, ShortAddressIsHostAndPath) {
  EXPECT_EQ(persist::WorldRecordsShortAddress("https://scores.example.org/"),
            "scores.example.org/cgi/version.pl");
  EXPECT_EQ(persist::WorldRecordsShortAddress("http://127.0.0.1:8080"),
            "127.0.0.1:8080/cgi/version.pl");
  EXPECT_EQ(persist::WorldRecordsHostName("HTTP://a.org"), "a.org");
  EXPECT_EQ(persist::WorldRecordsHostName("a.org"), "a.org");
}

}  // namespace
