#include <gtest/gtest.h>

#include "app/replay_playback.h"
#include "objects/window_kinds.h"
#include "persist/replay_store.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"

namespace {

// The form as the program makes it: every game recorded through the platform's seam.
struct RecordedGame : test_support::THeadlessFormFixture {
  std::unique_ptr<platform::TRecordingPlatform> recorder;

  void SetUp() override {
    THeadlessFormFixture::SetUp();
    form.reset();
    recorder = std::make_unique<platform::TRecordingPlatform>(platform);
    form = std::make_unique<TMForm>(*recorder, TFormConfig{5, {}});
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
  ASSERT_EQ(form->ScreenType, kScreenGame);
  form->MDXWaveList.Items.FindWave("Laser").SetName("Gone");
  Press(platform::vk::kSpace);
  ASSERT_FALSE(platform.Errors().empty());
  const std::string& box = platform.Errors().back();
  EXPECT_NE(box.find("fault.perolet-replay"), std::string::npos) << box;
  const persist::TReplay fault = Kept(persist::kFaultReplay);
  EXPECT_EQ(fault.Result.Ending, persist::TReplayEnding::Fault);
  EXPECT_GT(fault.Result.Frames, 300u);
}

// A game to its end and into the table: the last game's replay and the table's claim its
// result and the name typed, and play back to it.
TEST_F(RecordedGame, AGameIntoTheTableLeavesReplaysThatPlayBackToItsEnd) {
  for (int i = 1; i <= persist::kTableSize; ++i) form->HighScores[i] = {"-", 0};
  Frames(3);
  platform.TypeChar(13);
  Frame();
  ASSERT_EQ(form->ScreenType, kScreenGame);
  platform.KeyDown(platform::vk::kSpace);
  for (int i = 0;
       i < 20000 && form->ScreenType == kScreenGame && form->WindowOpen != kWindowNameEntry; ++i) {
    const int key = i / 90 % 2 ? platform::vk::kUp : platform::vk::kDown;
    platform.KeyDown(key);
    Frame();
    platform.KeyUp(key);
  }
  platform.KeyUp(platform::vk::kSpace);
  ASSERT_EQ(form->WindowOpen, kWindowNameEntry);
  for (const int c : {int{'A'}, int{'n'}, int{'n'}, int{'a'}, 13}) {
    platform.TypeChar(c);
    Frame();
  }
  Press('N');  // not sent
  ASSERT_EQ(form->ScreenType, kScreenHighScores);
  const persist::TReplay last = Kept(persist::kLastReplay);
  EXPECT_EQ(last.Result.Ending, persist::TReplayEnding::GameOver);
  EXPECT_EQ(last.Result.Name, "Anna");
  EXPECT_EQ(last.Result.Score, form->Game.Score);
  EXPECT_GT(last.Result.Score, 0);
  EXPECT_EQ(Kept(persist::TableReplayStem(form->Game.Score, form->Game.GameSeed()).c_str()).Tape,
            last.Tape);

  ExpectPlaysBack(last);
}

TEST_F(RecordedGame, AGameTheSessionEndsIsKeptAsClosedAndPlaysBackSo) {
  Frames(3);
  platform.TypeChar(13);
  Frames(300);
  ASSERT_EQ(form->ScreenType, kScreenGame);
  platform.RequestQuit();
  Frame();
  ASSERT_TRUE(form->Terminated());
  const persist::TReplay last = Kept(persist::kLastReplay);
  EXPECT_EQ(last.Result.Ending, persist::TReplayEnding::Closed);
  ExpectPlaysBack(last);
}

}  // namespace
