#include "replay_checker.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <stdexcept>

#include "fake_checker.h"

namespace {

using records::TCheckerVerdict;
using test_support::PlayedLines;

TEST(RunningAChecker, ReadsOnlyTheContractsLines) {
  struct TCase {
    std::string output;
    bool verdict;
  };
  const std::string head = "checker 1.5 ab12\n";
  const TCase cases[] = {
      {PlayedLines("1205"), true},
      {head + "refused not a replay: no magic\n", true},
      {head + "other 1.4 ffee\n", true},
      {head + "played\nscore 5\nlevel 1\nframes 9\nname -\ncountry -\ndamage tape cut\nend\n",
       true},
      {PlayedLines("1205").substr(0, PlayedLines("1205").size() - 1), false},  // no last newline
      {PlayedLines("1205") + "end\n", false},                                  // a line more
      {PlayedLines("-5"), false},
      {PlayedLines("12a"), false},
      {PlayedLines("5", "C2E0"), false},  // uppercase hex
      {PlayedLines("5", "c2e"), false},   // half a byte
      {"checker 1.5 AB\nrefused x\n", false},
      {"checker 1.5\nrefused x\n", false},
      {head + "refused\n", false},
      {head + "refused a\tb\n", false},  // a control character in the reason
      {head + "other 1.4\n", false},
      {head + "played\nlevel 1\nscore 5\nframes 9\nname -\ncountry -\nend\n", false},  // order
      {head + "played \nscore 5\nlevel 1\nframes 9\nname -\ncountry -\nend\n", false},
      {head + "played\nscore 5\nlevel 1\nframes 9\nname -\ncountry -\ndamage \nend\n", false},
      {head, false},
      {"", false},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(records::ParseCheckerOutput(c.output).has_value(), c.verdict) << c.output;
  const auto played = records::ParseCheckerOutput(PlayedLines("1205"));
  ASSERT_TRUE(played);
  EXPECT_EQ(played->checker, (records::TCheckerIdentity{"1.5", "ab12"}));
  EXPECT_EQ(played->kind, TCheckerVerdict::TKind::Played);
  EXPECT_EQ(played->score, 1205);
  EXPECT_EQ(played->frames, 4000);
  EXPECT_EQ(played->name, "\xC2\xE0\xF1\xFF");
  EXPECT_EQ(played->country, "RU");
  EXPECT_FALSE(played->damage);
  const auto other = records::ParseCheckerOutput(head + "other 1.4 ffee\n");
  EXPECT_EQ(other->other, (records::TCheckerIdentity{"1.4", "ffee"}));
}

// Each fake checker as the server runs it: the replay on stdin, its arguments, nothing else of
// the server's; what it printed, or why there is no verdict.
TEST(RunningAChecker, RunsAFakeCheckerWithinItsLimits) {
  test_support::TTempWorkDir dir;
  // A descriptor of the server that a checker must not get.
  const int secret = 77;
  ASSERT_EQ(::dup2(STDIN_FILENO, secret), secret);
  struct TCase {
    const char* name;
    std::string script;
    std::string failure;  // empty: a verdict is expected
  };
  const TCase cases[] = {
      {"verdict",
       "bytes=$(wc -c); echo \"$* $(ls /proc/$$/fd | tr '\\n' ' ')\" >&2\n"
       "printf \"" +
           PlayedLines("$bytes") + "\"",
       ""},
      {"sleeper", "exec sleep 100", "its check ran past 1 s"},
      {"lingerer", "exec >&- 2>&-; exec sleep 100", "its check ran past 1 s"},
      // Writes to stderr for far longer than its time, into a pipe it makes 1 MB (1031 is
      // F_SETPIPE_SZ) that a server slower than it never finds empty.
      {"chatterer",
       "exec perl -e 'fcntl(STDERR, 1031, 1 << 20); my ($e, $end) = (\"e\" x (1 << 20), time + 10);"
       " syswrite(STDERR, $e) while time < $end'",
       "its check ran past 1 s"},
      {"garbage", "echo 'checker 1.5 ab12'; echo 'played with the replay'",
       "its check ended without a verdict (its output is not a verdict)"},
      {"crash", "echo 'checker 1.5 ab12'; kill -SEGV $$",
       "its check ended without a verdict (signal 11)"},
      {"sandboxed crash", "echo 'checker 1.5 ab12'; exit 139",
       "its check ended without a verdict (signal 11)"},
      {"processor time", "echo 'checker 1.5 ab12'; exit 152",
       "its check ran past 1 s of processor time"},
      {"torrent", "exec yes checker", "its check ended without a verdict (over 64 KB of output)"},
      {"failure", "printf '" + PlayedLines("5") + "'; exit 1",
       "its check ended without a verdict (exit status 1)"},
  };
  records::TCheckLimits limits;
  limits.seconds = 1;
  limits.megabytes = 200;
  limits.dataFolder = "/games/perolet";
  limits.wallMargin = std::chrono::milliseconds(0);
  const std::vector<uint8_t> replay(300'000, 'r');  // more than a pipe holds
  const records::TStopSignal stop;
  for (const TCase& c : cases) {
    const auto program = test_support::FakeChecker(dir, c.name, c.script);
    const records::TCheckRun run = records::RunChecker(program, replay, limits, stop);
    EXPECT_EQ(run.failure, c.failure) << c.name;
    EXPECT_EQ(run.verdict.has_value(), c.failure.empty()) << c.name;
    EXPECT_FALSE(run.stopped) << c.name;
  }
  const auto verdict = records::RunChecker(dir.Path() / "verdict", replay, limits, stop);
  ASSERT_TRUE(verdict.verdict);
  EXPECT_EQ(verdict.verdict->score, 300'000);
  const std::string errors = verdict.errors;
  EXPECT_TRUE(errors.starts_with("--seconds 1 --megabytes 200 --data /games/perolet 0 1 "))
      << errors;
  EXPECT_EQ(errors.find(" " + std::to_string(secret) + " "), std::string::npos) << errors;
  ::close(secret);
}

TEST(RunningAChecker, IsStoppedOrCannotCheckWithoutBlamingTheReplay) {
  test_support::TTempWorkDir dir;
  const records::TCheckLimits limits;
  const std::vector<uint8_t> replay(10, 'r');
  {
    records::TStopSignal stop;
    stop.Raise();
    const auto run = records::RunChecker(
        test_support::FakeChecker(dir, "sleeper", "exec sleep 100"), replay, limits, stop);
    EXPECT_TRUE(run.stopped);
    EXPECT_FALSE(run.verdict);
  }
  const records::TStopSignal stop;
  // Ended before it said who it is, so before it read the replay: bubblewrap that could not
  // set up its sandbox exits 1.
  for (const std::string& program :
       {test_support::FakeChecker(dir, "sandboxless", "echo 'no namespaces' >&2; exit 3"),
        test_support::FakeChecker(dir, "unsandboxed", "echo 'bwrap: no mount' >&2; exit 1"),
        test_support::FakeChecker(dir, "silent", "exit 0"),
        test_support::FakeChecker(dir, "early crash", "kill -SEGV $$"),
        (dir.Path() / "missing").string()}) {
    EXPECT_THROW(records::RunChecker(program, replay, limits, stop), std::runtime_error) << program;
  }
  EXPECT_EQ(records::ProbeChecker(
                test_support::FakeChecker(dir, "v", "echo \"perolet-verify 1.5 ab12\""), stop),
            (records::TCheckerIdentity{"1.5", "ab12"}));
  EXPECT_FALSE(records::ProbeChecker(
      test_support::FakeChecker(dir, "w", "echo \"perolet-verify 1.5\""), stop));
  EXPECT_FALSE(records::ProbeChecker((dir.Path() / "missing").string(), stop));
}

}  // namespace
