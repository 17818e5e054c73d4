#include "replay_verdict.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fake_checker.h"

namespace {

using records::TRecordState;
using test_support::PlayedLines;

records::TCheckRun Printed(const std::string& output) {
  return {records::ParseCheckerOutput(output), "", false, ""};
}

// The record "Вася" (RU) 1205 against what its replay's check came to.
TEST(ReplayVerdict, VerifiesOnlyAReplayThatPlaysToTheRecord) {
  const records::TStoredRecord record{"Вася", "RU", 1205, 0, 7};
  const std::string head = "checker 1.5 ab12\n";
  struct TCase {
    records::TCheckRun run;
    records::TJudgement judgement;
  };
  const TCase cases[] = {
      {Printed(PlayedLines("1205")), {TRecordState::Verified, ""}},
      {Printed(PlayedLines("1200")), {TRecordState::Refused, "plays to 1200, not 1205"}},
      {Printed(PlayedLines("1210")), {TRecordState::Refused, "plays to 1210, not 1205"}},
      {Printed(PlayedLines("1205", "c2e0f1")),
       {TRecordState::Refused, "the name typed is \"Вас\", not \"Вася\""}},
      {Printed(PlayedLines("1205", "-")),
       {TRecordState::Refused, "no name is typed, the record's is \"Вася\""}},
      {Printed(PlayedLines("1205", "c2e0f1ff", "5541")),
       {TRecordState::Refused, "the country typed is \"UA\", not \"RU\""}},
      {Printed(head + "played\nscore 1205\nlevel 3\nframes 9\nname c2e0f1ff\ncountry 5255\n"
                      "damage a key held past the game's end\nend\n"),
       {TRecordState::Refused, "its input is damaged: a key held past the game's end"}},
      {Printed(head + "refused not a replay: no magic\n"),
       {TRecordState::Refused, "not a replay: no magic"}},
      {Printed(head + "other 1.4 ffee\n"), {TRecordState::Unchecked, "1.4"}},
      {{std::nullopt, "its check ran past 65 s", false, ""},
       {TRecordState::Refused, "its check ran past 65 s"}},
  };
  for (const TCase& c : cases) {
    const auto judgement = records::JudgeRun(c.run, record);
    EXPECT_EQ(judgement.state, c.judgement.state) << c.judgement.detail;
    EXPECT_EQ(judgement.detail, c.judgement.detail);
  }
}

// A replay of version 1.4: checked by the operator's checker for 1.4, when there is one that
// says it is.
TEST(ReplayVerdict, SendsAnOlderVersionsReplayToItsOwnChecker) {
  test_support::TTempWorkDir dir;
  records::TCheckers checkers;
  checkers.current = test_support::FakeChecker(
      dir, "current", "cat > /dev/null; printf 'checker 1.5 ab12\\nother 1.4 ffee\\n'");
  const records::TPendingReplay pending{{"Вася", "RU", 1205, 0, 7}, {1, 2, 3}};
  struct TCase {
    const char* name;
    std::string older;  // its script; empty: no checker for 1.4
    records::TJudgement judgement;
  };
  const TCase cases[] = {
      {"none", "", {TRecordState::Unchecked, "1.4"}},
      {"plays",
       "printf '" + std::string("checker 1.4 ffee\\nplayed\\nscore 1205\\nlevel 3\\n") +
           "frames 4\\nname c2e0f1ff\\ncountry 5255\\nend\\n'",
       {TRecordState::Verified, ""}},
      {"misses",
       "printf '" + PlayedLines("5") + "' | sed 's/1.5/1.4/'",
       {TRecordState::Refused, "plays to 5, not 1205"}},
      {"misnamed", "printf '" + PlayedLines("1205") + "'", {TRecordState::Unchecked, "1.4"}},
      {"other", "printf 'checker 1.4 ffee\\nother 1.3 0000\\n'", {TRecordState::Unchecked, "1.4"}},
  };
  const records::TStopSignal stop;
  for (const TCase& c : cases) {
    checkers.byVersion.clear();
    if (!c.older.empty())
      checkers.byVersion["1.4"] = test_support::FakeChecker(dir, c.name, c.older);
    const auto outcome = records::CheckReplay(pending, checkers, stop);
    ASSERT_TRUE(outcome.judgement) << c.name;
    EXPECT_EQ(*outcome.judgement, c.judgement) << c.name << ": " << outcome.judgement->detail;
  }
}

// The operator gave a checker for 1.4 that did not answer at start (or named another version):
// its replays wait, Checking, for a start at which it answers, rather than staying unchecked.
TEST(ReplayVerdict, AnOlderVersionsReplayWaitsWhenItsCheckerDidNotAnswerAtStart) {
  test_support::TTempWorkDir dir;
  records::TVerifyOptions options;
  options.program = test_support::FakeChecker(
      dir, "current",
      "if [ \"$1\" = --version ]; then echo 'perolet-verify 1.5 ab12'; exit; fi\n"
      "cat > /dev/null; printf 'checker 1.5 ab12\\nother 1.4 ffee\\n'");
  const records::TPendingReplay pending{{"Вася", "RU", 1205, 0, 7}, {1, 2, 3}};
  const records::TStopSignal stop;
  for (const std::string& older :
       {std::string("exit 1"), std::string("echo 'perolet-verify 1.3 ab'")}) {
    options.verifiers["1.4"] = test_support::FakeChecker(dir, "older", older);
    std::ostringstream log;
    const auto outcome =
        records::CheckReplay(pending, records::FindCheckers(options, "", log), stop);
    EXPECT_FALSE(outcome.judgement) << older << ": " << outcome.judgement->detail;
    EXPECT_NE(outcome.note.find("1.4"), std::string::npos) << outcome.note;
  }
}

}  // namespace
