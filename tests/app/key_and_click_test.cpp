#include <gtest/gtest.h>

#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"
#include "screens/game_ending.h"
#include "screens/options_screen.h"
#include "support/headless_form_fixture.h"
#include "support/screens.h"

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
  return {form.ScreenType(), form.WindowOpen(), form.MenuItem()};
}

struct OnTheMenu : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    for (int i = 0; i < 200 && form->Screens().Base()->FadingIn(); ++i) Frame();
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
  EXPECT_EQ(form->ScreenType(), kScreenGame);
}

using DoubleClick = OnTheMenu;

TEST_F(DoubleClick, OnTheQuitButtonLeavesTheQuestionOpen) {
  DoubleClickAt(600, 410);
  EXPECT_EQ(form->WindowOpen(), kWindowQuitGame);
  EXPECT_EQ(form->MenuItem(), 12);
  EXPECT_FALSE(form->Terminated());
}

TEST_F(DoubleClick, OnAnOptionsRowStillTogglesTwice) {
  Press(vk::kDown);
  platform.TypeChar(13);
  Frame();
  ASSERT_EQ(form->ScreenType(), kScreenOptions);
  const bool sounds = form->Options.Sounds;
  platform.MoveMouse(300, 385);  // the sounds row
  Frame();
  ASSERT_EQ(form->MenuItem(), 3);
  platform.Click();
  Frame();
  EXPECT_NE(form->Options.Sounds, sounds);
  platform.Click();
  platform.DoubleClick();
  Frame();
  EXPECT_NE(form->Options.Sounds, sounds) << "a double click toggles twice, after one click";
}

// A click chooses the button under the pointer and nothing else, wherever the keys left the
// highlight.
TEST_F(OnTheMenu, AClickChoosesOnlyTheButtonUnderThePointer) {
  const TPlace menu = PlaceOf(*form);
  for (const auto& [x, y] : {std::pair{60, 60}, std::pair{400, 580}, std::pair{790, 300}}) {
    platform.MoveMouse(x, y);
    Frame();
    platform.Click();
    Frame();
    EXPECT_EQ(PlaceOf(*form), menu) << "a click on the sky at " << x << "," << y;
  }
  platform.MoveMouse(600, 410);  // on the quit button
  Frame();
  Press(vk::kUp);
  Press(vk::kUp);
  ASSERT_EQ(form->MenuItem(), 4) << "the keys moved the highlight to the help";
  platform.Click();
  Frame();
  EXPECT_EQ(form->WindowOpen(), kWindowQuitGame) << "the click chose the highlighted button";
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
}

// What the help promises the keys do: Space chooses as Enter does; Left and Right choose the
// value on their side of the selected setting.
TEST_F(OnTheMenu, SpaceChoosesAndLeftOrRightSetTheSelectedSetting) {
  Press(vk::kDown);
  platform.TypeChar(' ');
  Frame();
  ASSERT_EQ(form->ScreenType(), kScreenOptions) << "Space chose the options";
  TOptionsScreen& options = *test_support::CurrentScreen<TOptionsScreen>(*form);
  struct TStep {
    int row;
    int key;
    bool fullScreen, music, sounds;
  };
  const TStep steps[] = {
      {1, vk::kRight, true, true, true},    {1, vk::kRight, true, true, true},
      {1, vk::kLeft, false, true, true},    {2, vk::kRight, false, false, true},
      {3, vk::kRight, false, false, false}, {3, vk::kLeft, false, false, true},
      {2, vk::kLeft, false, true, true},
  };
  for (const TStep& step : steps) {
    options.Menu()->Item = step.row;
    Press(step.key);
    const std::string where =
        "row " + std::to_string(step.row) + " key " + std::to_string(step.key);
    EXPECT_EQ(form->Options.FullScreen, step.fullScreen) << where;
    EXPECT_EQ(form->Options.Music, step.music) << where;
    EXPECT_EQ(form->Options.Sounds, step.sounds) << where;
  }
  options.Menu()->Item = 5;
  platform.TypeChar(' ');
  Frame();
  ASSERT_TRUE(options.CountryEdit()) << "Space began the country's editing";
  platform.TypeChar(' ');
  Frame();
  EXPECT_TRUE(options.CountryEdit()) << "Space types a blank into the country";
}

using KeysInAGame = GameFixture;

TEST_F(KeysInAGame, EnterFiresAndThePauseKeyPauses) {
  EXPECT_FALSE(form->PilotInput().Fire);
  platform.KeyDown(vk::kReturn);
  Frame();
  EXPECT_TRUE(form->PilotInput().Fire);
  EXPECT_EQ(form->WindowOpen(), 0);
  platform.KeyUp(vk::kReturn);
  Frame();
  EXPECT_FALSE(form->PilotInput().Fire);
  platform.KeyDown(vk::kPause);
  Frame();
  EXPECT_EQ(form->WindowOpen(), kWindowPause);
  platform.KeyUp(vk::kPause);
  Frame();
  platform.KeyDown(vk::kPause);
  Frame();
  EXPECT_EQ(form->WindowOpen(), 0) << "the Pause key ends the pause too";
}

// A game left for another window is found paused on coming back; on the menus nothing opens.
TEST_F(KeysInAGame, LosingTheFocusPausesTheGame) {
  platform.SetFocus(false);
  Frame();
  EXPECT_EQ(form->WindowOpen(), kWindowPause);
  platform.SetFocus(true);
  Frames(3);
  EXPECT_EQ(form->WindowOpen(), kWindowPause) << "coming back keeps the pause";
  LeaveGameUnnamed(form->Host());
  ASSERT_EQ(form->ScreenType(), kScreenMainMenu);
  platform.SetFocus(false);
  Frame();
  EXPECT_EQ(form->WindowOpen(), 0);
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
  EXPECT_EQ(form->WindowOpen(), kWindowSendScore)
      << "the score was sent without the player choosing";
  EXPECT_EQ(form->MenuItem(), kYes);
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
  EXPECT_EQ(form->WindowOpen(), kWindowNameEntry);
  EXPECT_EQ(form->PlayerName, "Ace");
  EXPECT_EQ(form->ScreenType(), kScreenGame);
  EXPECT_TRUE(form->Options.FullScreen);
}

// Escape answers each question as "Нет" does: the window closes, nothing it asked about
// happens, and the screen beneath stands as it stood (the send question's "Нет" leads on to
// the table).
struct TQuestion {
  int window;
  uint8_t screenAfter;
};

template <typename Fixture>
void ExpectEscapeAnswersNo(Fixture& f, const TQuestion& q) {
  const persist::THighScoreTable table = f.form->HighScores;
  f.form->OpenWindow(q.window);
  f.Frame();
  f.platform.KeyDown(vk::kEscape);
  f.Frame();
  f.platform.KeyUp(vk::kEscape);
  f.Frame();
  EXPECT_EQ(f.form->WindowOpen(), 0) << "window " << q.window;
  EXPECT_FALSE(f.form->Terminated()) << "window " << q.window;
  EXPECT_EQ(f.form->ScreenType(), q.screenAfter) << "window " << q.window;
  EXPECT_TRUE(f.platform.Requests().empty()) << "window " << q.window;
  for (int i = 1; i <= persist::kTableSize; ++i)
    EXPECT_EQ(f.form->HighScores[i].Points, table[i].Points) << "window " << q.window;
}

TEST_F(OnTheMenu, EscapeAnswersTheMenusQuestionsNo) {
  for (const TQuestion& q : {TQuestion{kWindowQuitGame, kScreenMainMenu},
                             TQuestion{kWindowClearRecords, kScreenMainMenu}})
    ExpectEscapeAnswersNo(*this, q);
}

using EscapeInAGame = GameFixture;

TEST_F(EscapeInAGame, AnswersTheGamesQuestionsNo) {
  ExpectEscapeAnswersNo(*this, {kWindowQuitToMenu, kScreenGame});
  form->Game.Score = 7777;
  ExpectEscapeAnswersNo(*this, {kWindowSendScore, kScreenHighScores});
}

TEST_F(EscapeInAGame, LeavesTheNameEntryForTheMenuWithTheTableAsItWas) {
  const persist::THighScoreTable table = form->HighScores;
  form->Game.Score = 7777;
  form->OpenWindow(kWindowNameEntry);
  Frame();
  platform.KeyDown(vk::kEscape);
  Frame();
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  for (int i = 1; i <= persist::kTableSize; ++i)
    EXPECT_EQ(form->HighScores[i].Points, table[i].Points);
}

// The default country is a blank to fill in: editing it starts from nothing, and leaving it
// empty gives the blank back.
TEST_F(OnTheMenu, TheDefaultCountryIsClearedWhenItsEditingBegins) {
  ASSERT_EQ(form->Options.Country, persist::kDefaultCountry);
  TOptionsScreen& options = test_support::ShowScreen<TOptionsScreen>(*form);
  options.ToggleCountryEdit();
  EXPECT_EQ(form->Options.Country, "");
  form->FormKeyPress(0xD0);  // Р
  EXPECT_EQ(form->Options.Country, "\xD0");
  form->FormKeyPress(8);
  options.ToggleCountryEdit();
  EXPECT_EQ(form->Options.Country, persist::kDefaultCountry);
  options.ToggleCountryEdit();
  form->FormKeyPress(0xD0);
  form->Screens().Replace(nullptr);
  EXPECT_EQ(form->Options.Country, "\xD0") << "a country typed is kept as typed";
}

}  // namespace
