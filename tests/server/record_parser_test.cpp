#include "record_parser.h"

#include <gtest/gtest.h>

#include "score/score_record.h"

namespace {

std::string Padded(std::string text) {
  while (text.size() % 5 != 0) text += '0';
  return text;
}

TEST(RecordParser, ReadsTheGamesRecordsIncludingSeparatorsInNames) {
  records::TSubmissionLimits limits;
  limits.longestName = 14;  // room for a whole field inside a name
  struct TCase {
    std::string name, country;
    int32_t score;
  };
  const TCase cases[] = {
      {"Ann", "RU", 700},
      {"", "", 0},
      {"a|b", "x|y", 5},
      {"|score=5|key=", "|z=0", 10},  // field names inside the texts
      {"\xC2\xE0\xF1\xFF", "\xD0\xEE\xF1\xF1\xE8\xFF", 9'999'995},
      {"12345678901234", "ABCDEFGHIJKL", 10'000'000},  // at every limit
  };
  for (const TCase& c : cases) {
    const auto parsed =
        records::ParseSubmission(score::BuildScoreRecord(c.name, c.score, c.country), limits);
    ASSERT_TRUE(parsed.submission) << c.name << ": " << parsed.error;
    EXPECT_EQ(parsed.submission->name, c.name);
    EXPECT_EQ(parsed.submission->country, c.country);
    EXPECT_EQ(parsed.submission->score, c.score);
  }
}

TEST(RecordParser, RefusesEachBadRecordWithItsReason) {
  records::TSubmissionLimits limits;
  struct TCase {
    std::string record;
    const char* reason;
  };
  const TCase cases[] = {
      {score::BuildScoreRecord("1234567890123", 5, ""), "name over 12 characters"},
      {score::BuildScoreRecord("A", 5, "1234567890123"), "country over 12 characters"},
      {score::BuildScoreRecord("A", -5, ""), "negative score"},
      {score::BuildScoreRecord("A", 7, ""), "score not a multiple of 5"},
      {score::BuildScoreRecord("A", 10'000'005, ""), "score over 10000000"},
      {Padded("type=0|name=A|score=99999999999999999995|key=P|p=|add=|z="), "score over 10000000"},
      {Padded("type=0|name=A|score=5|key=Q|p=|add=|z="), "wrong key letter"},
      {Padded("type=0|name=A|score=5|key=PP|p=|add=|z="), "wrong key letter"},
      {Padded("type=0|name=A|score=5|key=|p=|add=|z="), "wrong key letter"},
      {Padded("type=1|name=A|score=5|key=P|p=|add=|z="), "not a score record"},
      {"type=0|name=A|score=5|key=P|p=|add=|z=", "not a score record: bad padding"},
      {"type=0|name=A|score=5|key=P|p=|add=|z=00000", "not a score record: bad padding"},
      {"type=0|name=A|score=5|key=P|p=|add=|z=1", "not a score record: bad padding"},
      {Padded("type=0|name=A|score=5|key=P|p=|add="), "not a score record: no end field"},
      {Padded("type=0|name=A|score=|key=P|p=|add=|z="), "not a score record: fields out of order"},
      {Padded("type=0|name=A|score=5|key=P|add=|p=|z="), "not a score record: fields out of order"},
      {Padded("type=0|name=A|key=P|score=5|p=|add=|z="), "not a score record: fields out of order"},
      {"", "not a score record"},
  };
  for (const TCase& c : cases) {
    const auto parsed = records::ParseSubmission(c.record, limits);
    EXPECT_FALSE(parsed.submission) << c.record;
    EXPECT_EQ(parsed.error, c.reason) << c.record;
  }
  limits.highestScore = 100;
  EXPECT_TRUE(records::ParseSubmission(score::BuildScoreRecord("A", 100, ""), limits).submission);
  EXPECT_EQ(records::ParseSubmission(score::BuildScoreRecord("A", 105, ""), limits).error,
            "score over 100");
}

}  // namespace
