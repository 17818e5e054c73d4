#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

#include "app/form.h"
#include "persist/high_scores.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"
#include "screens/options_screen.h"
#include "support/headless_form_fixture.h"
#include "support/screens.h"
#include "support/temp_dir.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The whole cycle through the form: first run defaults, the orderly exit writes both files,
// the next start reads them, and a table edited by hand falls back to the defaults.
TEST(SaveFiles, TheOrderlyExitKeepsSettingsAndRecordsForTheNextRun) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  platform::THeadlessPlatform platform;
  {
    TMForm form(platform);
    form.FormCreate();
    EXPECT_EQ(form.HighScores[1].Points, 5000);
    form.Options.Sounds = false;
    form.HighScores[11] = {"Ann", 4200};
    persist::InsertHighScore(form.HighScores);
    form.SaveAndExit();
    EXPECT_TRUE(form.Terminated());
  }
  {
    TMForm form(platform);
    form.FormCreate();
    EXPECT_FALSE(form.Options.Sounds);
    EXPECT_EQ(form.HighScores[3].Name, "Ann");  // after 5000 and 4500
  }
  std::string hs = ReadText("Data/Save/hs");
  hs.replace(hs.find("4200"), 4, "9999");
  dir.Write("Data/Save/hs", hs);
  TMForm form(platform);
  form.FormCreate();
  EXPECT_EQ(form.HighScores[1].Points, 5000);
  EXPECT_NE(form.HighScores[3].Name, "Ann");
}

// The real form: a quit whose save fails shows the error and keeps the game running on its
// main menu; the next quit, with the folder writable again, writes both files.
struct FailedSave : test_support::THeadlessFormFixture {
  void Press(int key) {
    platform.KeyDown(key);
    Frames(2);
    platform.KeyUp(key);
    Frames(2);
  }
  void Quit() {
    Press(platform::vk::kEscape);
    ASSERT_EQ(form->WindowOpen(), 1);
    Press('Y');
  }
};

TEST_F(FailedSave, TheGameRunsOnAndTheNextQuitSaves) {
  Frames(150);                                              // the menu's fade-in
  std::filesystem::create_directories("Data/Save/hs.tmp");  // no copy of the table can be made
  Quit();
  EXPECT_FALSE(form->Terminated());
  ASSERT_EQ(platform.Errors().size(), 1u);
  EXPECT_NE(platform.Errors()[0].find("/Data/Save/hs"), std::string::npos);
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_FALSE(std::filesystem::exists("Data/Save/options"));
  Frames(10);
  std::filesystem::remove("Data/Save/hs.tmp");
  Quit();
  EXPECT_TRUE(form->Terminated());
  EXPECT_TRUE(std::filesystem::exists("Data/Save/options"));
  EXPECT_TRUE(std::filesystem::exists("Data/Save/hs"));
}

// After a save that failed, the next leave of any kind ends the program, saved or not; the
// first leave of the session's end never stays for a save that fails.
TEST_F(FailedSave, TheNextLeaveEndsTheProgramAndTheSessionsEndNeverWaits) {
  Frames(150);
  std::filesystem::create_directories("Data/Save/hs.tmp");
  platform.RequestQuit();  // the session ends: no second chance is waited for
  Frames(1);
  EXPECT_TRUE(form->Terminated());
  EXPECT_FALSE(std::filesystem::exists("Data/Save/options"));
  EXPECT_TRUE(platform.Errors().empty()) << "no box holds a session that is ending";

  const std::function<void(FailedSave&)> secondLeaves[] = {
      [](FailedSave& f) { f.Quit(); },
      [](FailedSave& f) {
        f.platform.RequestClose();
        f.Frames(1);
      },
  };
  for (const auto& leave : secondLeaves) {
    form = std::make_unique<TMForm>(platform, TFormConfig{5, {}});
    form->FormCreate();
    Frames(150);
    Quit();
    ASSERT_FALSE(form->Terminated());
    EXPECT_NE(platform.Errors().back().find("Повторный выход"), std::string::npos);
    leave(*this);
    EXPECT_TRUE(form->Terminated());
    EXPECT_FALSE(std::filesystem::exists("Data/Save/options"));
  }
}

// A picture that fails to draw in every frame.
struct TBrokenSprite : engine::TSprite {
  using TSprite::TSprite;
  void Render() override { throw std::runtime_error("the picture is gone"); }
};

// An error that comes back frame after frame ends the program, with what the session changed
// saved first.
TEST_F(FailedSave, AnErrorThatKeepsComingBackEndsTheProgramAfterSaving) {
  Frames(150);
  form->Options.Sounds = false;
  auto* broken = new TBrokenSprite(&form->MDXSpriteEngine.Engine());
  broken->Width = broken->Height = 10;
  Frames(4 * kRate);
  ASSERT_TRUE(form->Terminated());
  ASSERT_TRUE(form->FatalError().has_value());
  form = std::make_unique<TMForm>(platform, TFormConfig{5, {}});
  form->FormCreate();
  EXPECT_FALSE(form->Options.Sounds) << "the options were not saved before the end";
}

// An option changed is on disk at once, with the table, without waiting for the exit; a
// capture of the boss key is saved when it has caught its key.
TEST_F(FailedSave, AChangedOptionIsSavedAtOnce) {
  Frames(150);
  ASSERT_FALSE(std::filesystem::exists("Data/Save/options"));
  TOptionsScreen& options = test_support::ShowScreen<TOptionsScreen>(*form);
  options.Menu()->Item = 3;
  Press(platform::vk::kRight);  // the sounds off
  ASSERT_FALSE(form->Options.Sounds);
  ASSERT_TRUE(std::filesystem::exists("Data/Save/options"));
  EXPECT_TRUE(std::filesystem::exists("Data/Save/hs"));
  options.Menu()->Item = 4;
  options.ToggleBossCapture();
  Frames(2);
  const std::string before = ReadText("Data/Save/options");
  platform.KeyDown((platform::vk::kF1 + 6));
  Frames(2);
  platform.KeyUp((platform::vk::kF1 + 6));
  Frames(2);
  ASSERT_FALSE(options.BossCapture());
  EXPECT_NE(ReadText("Data/Save/options"), before) << "the caught key was not saved";
  platform::THeadlessPlatform other;
  TMForm next(other, TFormConfig{5, {}});
  next.FormCreate();
  EXPECT_FALSE(next.Options.Sounds);
  EXPECT_EQ(next.BossKey, (platform::vk::kF1 + 6));
}

// A capture of the boss key still waiting for its key when the program leaves keeps the key
// there was.
TEST_F(FailedSave, ACaptureCutShortByTheSessionsEndKeepsTheOldBossKey) {
  Frames(150);
  const uint16_t key = form->BossKey;
  ASSERT_NE(key, 0);
  TOptionsScreen& options = test_support::ShowScreen<TOptionsScreen>(*form);
  options.Menu()->Item = 4;
  options.ToggleBossCapture();
  ASSERT_EQ(form->BossKey, 0);
  platform.RequestQuit();
  Frames(1);
  ASSERT_TRUE(form->Terminated());
  form = std::make_unique<TMForm>(platform, TFormConfig{5, {}});
  form->FormCreate();
  EXPECT_EQ(form->BossKey, key);
}

}  // namespace
