#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/replay_playback.h"
#include "objects/window_kinds.h"
#include "persist/replay_store.h"
#include "persist/score_record.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"
#include "support/temp_dir.h"
#include "verify_replay.h"

namespace {

// The form as the program makes it: every game recorded through the platform's seam.
struct RecordedGame : test_support::THeadlessFormFixture {
  static constexpr const char* kScoreServer = "http://127.0.0.1:9";
  std::unique_ptr<platform::TRecordingPlatform> recorder;

  void SetUp() override {
    THeadlessFormFixture::SetUp();
    form.reset();
    recorder = std::make_unique<platform::TRecordingPlatform>(platform);
    // A records server that is never reached: the headless platform lists what was sent.
    form = std::make_unique<TMForm>(*recorder, TFormConfig{5, kScoreServer});
    form->RecordGamesWith(*recorder);
    form->FormCreate();
  }
  void TearDown() override {
    form.reset();
    recorder.reset();
  }
  void Press(int vk) {
    platform.KeyDown(vk);
    Frame();
    platform.KeyUp(vk);
    Frame();
  }
  // The replay played back on a platform of its own reaches what it claims.
  static void ExpectPlaysBack(const persist::TReplay& replay) {
    platform::THeadlessPlatform again(kRate);
    TReplayRun run(again, replay, TFormConfig{});
    run.Start();
    while (run.Step()) {
    }
    EXPECT_TRUE(run.ReachedClaim()) << run.Reached().Frames << " frames, " << run.Reached().Score
                                    << " points, ending " << static_cast<int>(run.Reached().Ending);
  }
  persist::TReplay Kept(const char* stem) {
    std::vector<uint8_t> bytes;
    std::string why;
    EXPECT_TRUE(platform::ReadWholeFile(persist::ReplayPathOf("Data/Save", stem), bytes, why))
        << why;
    return persist::DecodeReplay(bytes);
  }
};

TEST_F(RecordedGame, AFaultKeepsTheGameSoFarAndTheErrorBoxNamesIt) {
  Frames(3);
  platform.TypeChar(13);  // "new game"
  Frames(400);            // the level banner goes
  ASSERT_EQ(form->ScreenType(), kScreenGame);
  form->MDXWaveList.Items.FindWave("Laser").SetName("Gone");
  Press(platform::vk::kSpace);
  ASSERT_FALSE(platform.Errors().empty());
  const std::string& box = platform.Errors().back();
  EXPECT_NE(box.find("fault.perolet-replay"), std::string::npos) << box;
  const persist::TReplay fault = Kept(persist::kFaultReplay);
  EXPECT_EQ(fault.Result.Ending, persist::TReplayEnding::Fault);
  EXPECT_GT(fault.Result.Frames, 300u);
}

// A game to its end, into the table and sent: the last game's replay and the table's claim its
// result and the name typed, and play back to it; the record goes first, then that replay,
// once, named by the record's symbols.
TEST_F(RecordedGame, AGameIntoTheTableLeavesReplaysThatPlayBackToItsEndAndSendsOne) {
  for (int i = 1; i <= persist::kTableSize; ++i) form->HighScores[i] = {"-", 0};
  Frames(3);
  platform.TypeChar(13);
  Frame();
  ASSERT_EQ(form->ScreenType(), kScreenGame);
  platform.KeyDown(platform::vk::kSpace);
  for (int i = 0;
       i < 20000 && form->ScreenType() == kScreenGame && form->WindowOpen() != kWindowNameEntry;
       ++i) {
    const int key = i / 90 % 2 ? platform::vk::kUp : platform::vk::kDown;
    platform.KeyDown(key);
    Frame();
    platform.KeyUp(key);
  }
  platform.KeyUp(platform::vk::kSpace);
  ASSERT_EQ(form->WindowOpen(), kWindowNameEntry);
  for (const int c : {int{'A'}, int{'n'}, int{'n'}, int{'a'}, 13}) {
    platform.TypeChar(c);
    Frame();
  }
  Press('Y');
  for (int i = 0; i < 5 && form->ScreenType() != kScreenHighScores; ++i) Frame();
  ASSERT_EQ(form->ScreenType(), kScreenHighScores);
  const persist::TReplay last = Kept(persist::kLastReplay);
  const std::string symbols = persist::EncodeScoreRecord(
      persist::BuildScoreRecord("Anna", form->Game.Score, form->Options.Country));
  const size_t size = persist::EncodeReplay(last).size();
  EXPECT_EQ(platform.Requests(), (std::vector<std::string>{
                                     persist::ScoreRequestAddress(kScoreServer, symbols),
                                     "POST " + persist::ReplayUploadAddress(kScoreServer, symbols) +
                                         " (" + std::to_string(size) + " bytes)"}));
  EXPECT_EQ(last.Result.Ending, persist::TReplayEnding::GameOver);
  EXPECT_EQ(last.Result.Name, "Anna");
  EXPECT_EQ(last.Result.Score, form->Game.Score);
  EXPECT_GT(last.Result.Score, 0);
  EXPECT_EQ(Kept(persist::TableReplayStem(form->Game.Score, form->Game.GameSeed()).c_str()).Tape,
            last.Tape);

  ExpectPlaysBack(last);
  // What the records server's checker says of it: the score and the name typed.
  std::ostringstream said;
  platform::THeadlessPlatform checker(kRate);
  verify::VerifyReplay([&] { return persist::EncodeReplay(last); }, checker, said);
  EXPECT_EQ(
      said.str(),
      verify::CheckerLine(last.Rules) + "\nplayed\nscore " + std::to_string(last.Result.Score) +
          "\nlevel " + std::to_string(last.Result.Level) + "\nframes " +
          std::to_string(last.Result.Frames) + "\nname 416e6e61\ncountry " +
          persist::HexOf(std::span(reinterpret_cast<const uint8_t*>(last.Result.Country.data()),
                                   last.Result.Country.size())) +
          "\nend\n");
}

// The checker's other answers: bytes that are no replay, and a replay of other rules, which
// it names by the version that recorded it (only the characters a version may hold).
TEST(ReplayChecker, RefusesWhatIsNoReplayAndNamesTheVersionOfOtherRules) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  platform::THeadlessPlatform headless;
  const persist::TSha256 ours = RulesFingerprintOfData();
  persist::TReplay other{"9.9 <b>", {}, {}, {1, 2, 3, 4}, {}};
  other.Rules[0] = static_cast<uint8_t>(ours[0] ^ 1);
  const std::vector<uint8_t> garbage = {'P', 'E', 'R', 'O', 0, 1};
  struct TCase {
    std::vector<uint8_t> bytes;
    std::string said;
  } cases[] = {
      {garbage, "refused "},
      {persist::EncodeReplay(other), "other 9.9??b? "},
  };
  for (const TCase& c : cases) {
    std::ostringstream out;
    verify::VerifyReplay([&] { return c.bytes; }, headless, out);
    const std::string said = out.str();
    const std::string head = verify::CheckerLine(ours) + "\n" + c.said;
    EXPECT_EQ(said.substr(0, head.size()), head) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
  }
}

TEST_F(RecordedGame, AGameTheSessionEndsIsKeptAsClosedAndPlaysBackSo) {
  Frames(3);
  platform.TypeChar(13);
  Frames(300);
  ASSERT_EQ(form->ScreenType(), kScreenGame);
  platform.RequestQuit();
  Frame();
  ASSERT_TRUE(form->Terminated());
  const persist::TReplay last = Kept(persist::kLastReplay);
  EXPECT_EQ(last.Result.Ending, persist::TReplayEnding::Closed);
  ExpectPlaysBack(last);
}

}  // namespace
