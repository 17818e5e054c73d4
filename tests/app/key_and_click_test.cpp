#include <gtest/gtest.h>

#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"

namespace {

namespace vk = platform::vk;

constexpr int kYes = 11;

// Where the form stands: what a stray activation would change.
struct TPlace {
  uint8_t screen;
  uint8_t window;
  int item;
  bool operator==(const TPlace&) const = default;
};

TPlace PlaceOf(const TMForm& form) {
  return {form.ScreenType, form.WindowOpen, form.MenuItem};
}

struct OnTheMenu : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    for (int i = 0; i < 200 && form->IntroStep != 0; ++i) Frame();
    Frame();
  }
  void Press(int key) {
    platform.KeyDown(key);
    Frame();
    platform.KeyUp(key);
    Frame();
  }
  // Alt (or Ctrl) held, Enter pressed and released, the modifier released.
  void EnterWith(int modifier) {
    platform.KeyDown(modifier);
    platform.KeyDown(vk::kReturn);
    Frame();
    platform.KeyUp(vk::kReturn);
    platform.KeyUp(modifier);
    Frame();
  }
  // A double click as the window system delivers it: the click after the first release, the
  // double click at the second press.
  void DoubleClickAt(int x, int y) {
    platform.MoveMouse(x, y);
    Frame();
    platform.Click();
    platform.DoubleClick();
    Frame();
  }
};

using AltEnter = OnTheMenu;

TEST_F(AltEnter, OnlySwitchesTheDisplayOnTheMenuTheQuitQuestionAndTheOptions) {
  const TPlace menu = PlaceOf(*form);
  EnterWith(vk::kMenu);
  EXPECT_EQ(PlaceOf(*form), menu) << "the highlighted button was pressed";
  EXPECT_TRUE(form->Options.FullScreen);
  EXPECT_TRUE(platform.LastDisplayRequest().fullScreen);

  Press(vk::kEscape);
  Press(vk::kLeft);
  const TPlace question = PlaceOf(*form);
  ASSERT_EQ(question, (TPlace{kScreenMainMenu, kWindowQuitGame, kYes}));
  EnterWith(vk::kMenu);
  EXPECT_FALSE(form->Terminated()) << "Yes was highlighted";
  EXPECT_EQ(PlaceOf(*form), question);
  EXPECT_FALSE(form->Options.FullScreen);
  Press('N');

  Press(vk::kDown);
  platform.TypeChar(13);
  Frame();
  const TPlace options = PlaceOf(*form);
  ASSERT_EQ(options.screen, kScreenOptions);
  EnterWith(vk::kMenu);
  EXPECT_EQ(PlaceOf(*form), options);
  EXPECT_TRUE(form->Options.FullScreen);
}

TEST_F(AltEnter, CtrlEnterTypesNoEnterEither) {
  const TPlace menu = PlaceOf(*form);
  EnterWith(vk::kControl);
  EXPECT_EQ(PlaceOf(*form), menu);
  EXPECT_FALSE(form->Options.FullScreen);
  // Enter alone still presses the button.
  Press(vk::kReturn);
  EXPECT_EQ(form->ScreenType, kScreenGame);
}

using DoubleClick = OnTheMenu;

TEST_F(DoubleClick, OnTheQuitButtonLeavesTheQuestionOpen) {
  DoubleClickAt(600, 410);
  EXPECT_EQ(form->WindowOpen, kWindowQuitGame);
  EXPECT_EQ(form->MenuItem, 12);
  EXPECT_FALSE(form->Terminated());
}

TEST_F(DoubleClick, OnAnOptionsRowStillTogglesTwice) {
  Press(vk::kDown);
  platform.TypeChar(13);
  Frame();
  ASSERT_EQ(form->ScreenType, kScreenOptions);
  const bool sounds = form->Options.Sounds;
  platform.MoveMouse(300, 385);  // the sounds row
  Frame();
  ASSERT_EQ(form->MenuItem, 3);
  platform.Click();
  Frame();
  EXPECT_NE(form->Options.Sounds, sounds);
  platform.Click();
  platform.DoubleClick();
  Frame();
  EXPECT_NE(form->Options.Sounds, sounds) << "a double click toggles twice, after one click";
}

using DoubleClickInAGame = GameFixture;

TEST_F(DoubleClickInAGame, ConfirmingTheNameDoesNotAnswerTheSendQuestion) {
  form->Game.Score = 7777;
  form->OpenWindow(kWindowNameEntry);
  Frame();
  platform.MoveMouse(100, 500);
  platform.Click();
  platform.DoubleClick();
  Frame();
  EXPECT_EQ(form->WindowOpen, kWindowSendScore) << "the score was sent without the player choosing";
  EXPECT_EQ(form->MenuItem, kYes);
  EXPECT_TRUE(platform.Requests().empty());
}

using AltEnterInAGame = GameFixture;

TEST_F(AltEnterInAGame, KeepsTheNameEntryOpen) {
  form->Game.Score = 7777;
  form->PlayerName = "Ace";
  form->OpenWindow(kWindowNameEntry);
  Frame();
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kReturn);
  Frame();
  EXPECT_EQ(form->WindowOpen, kWindowNameEntry);
  EXPECT_EQ(form->PlayerName, "Ace");
  EXPECT_EQ(form->ScreenType, kScreenGame);
  EXPECT_TRUE(form->Options.FullScreen);
}

// The default country is a blank to fill in: editing it starts from nothing, and leaving it
// empty gives the blank back.
TEST_F(OnTheMenu, TheDefaultCountryIsClearedWhenItsEditingBegins) {
  ASSERT_EQ(form->Options.Country, persist::kDefaultCountry);
  form->LeaveMainMenu();
  form->ShowOptions();
  form->ToggleCountryEdit();
  EXPECT_EQ(form->Options.Country, "");
  form->FormKeyPress(0xD0);  // Р
  EXPECT_EQ(form->Options.Country, "\xD0");
  form->FormKeyPress(8);
  form->ToggleCountryEdit();
  EXPECT_EQ(form->Options.Country, persist::kDefaultCountry);
  form->ToggleCountryEdit();
  form->FormKeyPress(0xD0);
  form->LeaveOptions();
  EXPECT_EQ(form->Options.Country, "\xD0") << "a country typed is kept as typed";
}

}  // namespace
