#include "record_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "record_parser.h"
#include "score/score_record.h"

namespace {

std::string RandomBytes(std::mt19937& random, size_t length) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text(length, '\0');
  for (char& c : text) c = static_cast<char>(byte(random));
  return text;
}

TEST(RecordDecoder, GivesBackWhatTheGamesEncoderMade) {
  // Records as the game builds them, with names and countries of arbitrary bytes: every byte
  // value appears in a name at least once, '|', "=" and "0" among them.
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<int32_t> points(0, 2'000'000);
  for (int byte = 0; byte < 256; ++byte) {
    std::string name = RandomBytes(random, static_cast<size_t>(length(random)));
    name.insert(name.begin() + static_cast<std::ptrdiff_t>(name.size() / 2),
                static_cast<char>(byte));
    const std::string country = RandomBytes(random, static_cast<size_t>(length(random)));
    const int32_t score = points(random) * 5;
    const std::string record = score::BuildScoreRecord(name, score, country);
    const auto decoded = records::DecodeScoreRecord(score::EncodeScoreRecord(record));
    ASSERT_TRUE(decoded) << "byte " << byte;
    ASSERT_EQ(*decoded, record) << "byte " << byte;
  }
  // Any text, of every length a record's tail can leave: the leading zero bits come off.
  for (size_t size = 0; size <= 41; ++size) {
    const std::string text = RandomBytes(random, size);
    const auto decoded = records::DecodeScoreRecord(score::EncodeScoreRecord(text));
    ASSERT_TRUE(decoded) << size;
    EXPECT_EQ(*decoded, text) << size;
  }
}

TEST(RecordDecoder, RefusesWhatNoEncoderMakes) {
  const std::string good = score::EncodeScoreRecord("AAAAA");
  ASSERT_TRUE(records::DecodeScoreRecord(good));
  struct TCase {
    const char* why;
    std::string symbols;
  };
  const TCase cases[] = {
      {"a symbol outside the alphabet", good.substr(0, 7) + "I"},
      {"a lower-case symbol", good.substr(0, 7) + "k"},
      {"a NUL byte", good.substr(0, 7) + std::string(1, '\0')},
      {"one symbol: five bits are no byte", "K"},
      {"three symbols: no byte count gives fifteen bits", "KKK"},
      // Two symbols are ten bits: a byte with two zero bits in front. "Q" is 01000.
      {"a one bit in front of the first byte", "QK"},
  };
  for (const TCase& c : cases) EXPECT_FALSE(records::DecodeScoreRecord(c.symbols)) << c.why;
  EXPECT_EQ(records::DecodeScoreRecord("KK"), std::string(1, '\0'));
  EXPECT_EQ(records::DecodeScoreRecord(""), std::string());
}

}  // namespace
