#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/form.h"
#include "persist/high_scores.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"
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
    ASSERT_EQ(form->WindowOpen, 1);
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
  EXPECT_EQ(form->ScreenType, kScreenMainMenu);
  EXPECT_EQ(form->WindowOpen, 0);
  EXPECT_FALSE(std::filesystem::exists("Data/Save/options"));
  Frames(10);
  std::filesystem::remove("Data/Save/hs.tmp");
  Quit();
  EXPECT_TRUE(form->Terminated());
  EXPECT_TRUE(std::filesystem::exists("Data/Save/options"));
  EXPECT_TRUE(std::filesystem::exists("Data/Save/hs"));
}

}  // namespace
