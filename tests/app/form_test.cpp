#include <gtest/gtest.h>

#include "app/form.h"
#include "app/program.h"
#include "objects/menu_button.h"
#include "objects/scroll_background.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"
#include "screens/help_screen.h"
#include "screens/main_menu.h"
#include "screens/options_screen.h"
#include "screens/records_screen.h"
#include "support/minimal_xm.h"
#include "support/screens.h"
#include "support/temp_dir.h"

namespace {

namespace vk = platform::vk;

struct FormFixture : ::testing::Test {
  test_support::TTempWorkDir dir;
  platform::THeadlessPlatform platform{60};
  std::unique_ptr<TMForm> form;
  uint32_t now = 0;

  void SetUp() override {
    dir.LinkGameResources();
    std::filesystem::create_directories("Data/Music");
    test_support::WriteMinimalXm("Data/Music/Menu.xm");
    test_support::WriteMinimalXm("Data/Music/Race.xm");
    form = std::make_unique<TMForm>(platform, TFormConfig{7, {}});
    form->FormCreate();
  }

  // One turn of the message loop at the next frame's time.
  void Frame() {
    now += 16;
    platform.SetTicks(now);
    form->ProcessEvents();
    form->RunIdle();
  }
  // A key pressed for a frame and released for the next.
  void Press(int key) {
    platform.KeyDown(key);
    Frame();
    platform.KeyUp(key);
    Frame();
  }
  // Enter typed, and the frame after it.
  void Enter() {
    platform.TypeChar(13);
    Frame();
  }
  // Frames until the main menu's buttons have faded in.
  void WaitForTheMenu() {
    for (int frame = 0; frame < 66; ++frame) Frame();
  }
};

TEST_F(FormFixture, TheSkyIsAFourTileBandBehindEveryScreen) {
  ASSERT_NE(form->Sky, nullptr);
  EXPECT_EQ(form->Sky->MapWidth(), 4);
  EXPECT_EQ(form->Sky->Z(), 2);
  EXPECT_EQ(form->Sky->Width, 800);
}

TEST_F(FormFixture, StartsInAWindowOnTheMainMenuWithItsMusic) {
  EXPECT_EQ(platform.Title(), "Перолёт");
  EXPECT_TRUE(platform.DisplayInitialized());
  EXPECT_FALSE(platform.LastDisplayRequest().fullScreen);
  EXPECT_EQ(platform.LastDisplayRequest().bitCount, 32);
  EXPECT_TRUE(platform.Centered());
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->MenuItem(), 1);
  EXPECT_EQ(form->RefreshRate, 60);
  EXPECT_NE(form->SongHandle, 0u);
  EXPECT_EQ(form->SongPath, "Data/Music/Menu.xm");
  EXPECT_GE(platform.CursorCount(), 0);
}

TEST_F(FormFixture, FrameClearsTheSurfaceDrawsTheSpritesAndUpdatesTheTiming) {
  // The menu picture on the sky band covers the whole surface that the frame first clears;
  // the six buttons lie over it, still transparent at the fade-in's start.
  const auto& menu = form->MDXImageList1.Items.FindImage("MMB");
  form->MDXDraw.Surface().Fill(0xFFFFFF);
  Frame();
  ASSERT_EQ(platform.PresentCount(), 1);
  EXPECT_EQ(platform.LastFrame()[300 * 800 + 400], menu.Picture.Pixel(400, 300));
  EXPECT_EQ(platform.LastFrame()[160 * 800 + 600], menu.Picture.Pixel(600, 160));
  EXPECT_EQ(form->MDXSpriteEngine.Engine().DrawCount, 7);
  EXPECT_DOUBLE_EQ(form->Game.SpeedFactor, 85.0 / 60);
  EXPECT_EQ(form->Game.FrameMs, 16);
}

TEST_F(FormFixture, FrameThatCannotDrawIsSkippedWhole) {
  form->MDXDraw.Finalize();
  Frame();
  EXPECT_EQ(platform.PresentCount(), 0);
  EXPECT_EQ(form->Game.SpeedFactor, 1.0);
  EXPECT_EQ(form->Game.FrameMs, 15);
}

TEST_F(FormFixture, BossKeyHidesAndTheFirstFrameBackRestartsTheMusic) {
  platform.KeyDown(vk::kControl);
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kF1 + 8);
  Frame();
  EXPECT_FALSE(platform.Minimized()) << "Ctrl+Alt+F9 is not the boss key";
  platform.KeyUp(vk::kF1 + 8);
  platform.KeyUp(vk::kControl);
  platform.KeyDown(vk::kF1 + 8);
  Frame();
  EXPECT_TRUE(platform.Minimized());
  EXPECT_EQ(form->SongHandle, 0u);
  EXPECT_TRUE(form->MusicPending);
  const int presented = platform.PresentCount();
  Frame();
  EXPECT_EQ(platform.PresentCount(), presented) << "a minimised game is frozen";
  platform.KeyUp(vk::kF1 + 8);
  platform.KeyUp(vk::kMenu);
  platform.SetFocus(true);
  Frame();
  EXPECT_FALSE(form->MusicPending);
  EXPECT_NE(form->SongHandle, 0u);
  EXPECT_EQ(platform.PresentCount(), presented + 1);
}

TEST_F(FormFixture, AltEnterSwitchesToFullScreenAndBackToTheSamePlace) {
  platform.SetWindowPlacement({40, 50, 800, 600});
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kReturn);
  Frame();
  EXPECT_TRUE(form->Options.FullScreen);
  EXPECT_TRUE(platform.LastDisplayRequest().fullScreen);
  EXPECT_TRUE(form->MDXDraw.PageFlipping());
  EXPECT_FALSE(platform.Bordered());
  platform.SetWindowPlacement({0, 0, 800, 600});  // where full screen put the window
  platform.KeyUp(vk::kReturn);
  platform.KeyDown(vk::kReturn);
  Frame();
  EXPECT_FALSE(platform.LastDisplayRequest().fullScreen);
  EXPECT_EQ(platform.GetWindowPlacement().x, 40);
  EXPECT_EQ(platform.GetWindowPlacement().y, 50);
  EXPECT_TRUE(platform.Bordered());
}

TEST_F(FormFixture, AltEnterDuringAGameOpensPauseFirst) {
  form->ShowGameScreen();
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kReturn);
  Frame();
  EXPECT_EQ(form->WindowOpen(), 5);
}

TEST_F(FormFixture, MainMenuFadesInItsButtonsFrameByFrameThenTakesKeys) {
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  TMainMenu& menu = *test_support::CurrentScreen<TMainMenu>(*form);
  const auto& buttons = menu.Menu()->Buttons;
  EXPECT_EQ(menu.IntroStep(), 1);
  ASSERT_NE(buttons[6], nullptr);
  EXPECT_TRUE(buttons[6]->Blended);
  // Each button starts eight frames after the one above it; the last reaches full alpha
  // (260, in steps of 10) on frame 66. Keys do nothing meanwhile.
  platform.KeyDown(vk::kDown);
  for (int frame = 1; frame <= 65; ++frame) Frame();
  platform.KeyUp(vk::kDown);
  EXPECT_EQ(buttons[1]->Alpha, 260);
  EXPECT_EQ(buttons[5]->Alpha, 260);
  EXPECT_EQ(buttons[6]->Alpha, 250);
  EXPECT_EQ(form->MenuItem(), 1);
  Frame();
  EXPECT_EQ(menu.IntroStep(), 0);
  Frame();  // the first selection highlight
  EXPECT_EQ(buttons[1]->Image(), &form->MDXImageList1.Items.FindImage("MM_1_A"));
  platform.KeyDown(vk::kUp);  // wraps from the first button to the last
  Frame();
  platform.KeyUp(vk::kUp);
  Frame();
  EXPECT_EQ(form->MenuItem(), 6);
  EXPECT_TRUE(buttons[6]->Highlighted);
  EXPECT_FALSE(buttons[1]->Highlighted);
  // The pointer over a button selects it, edges included.
  platform.MoveMouse(498 + 250, 252);
  Frame();
  EXPECT_EQ(form->MenuItem(), 3);
  platform.MoveMouse(100, 100);  // off every button: the selection stays
  Frame();
  EXPECT_EQ(form->MenuItem(), 3);
}

TEST_F(FormFixture, QuitWindowAsksWithNoSelectedAndYesEndsTheProgram) {
  WaitForTheMenu();
  Press(vk::kEscape);
  ASSERT_EQ(form->WindowOpen(), 1);
  EXPECT_EQ(form->MenuItem(), 12);
  ASSERT_NE(form->Screens().Window(), nullptr);
  // The question is written on the backdrop: dark letters on the light panel.
  int dark = 0;
  for (int y = 276; y < 298; ++y)
    for (int x = 300; x < 500; ++x) dark += (platform.LastFrame()[y * 800 + x] & 0xFF) < 0x40;
  EXPECT_GT(dark, 40);
  Press(vk::kLeft);
  EXPECT_EQ(form->MenuItem(), 11);
  Press(vk::kLeft);  // no wrapping
  EXPECT_EQ(form->MenuItem(), 11);
  Press(vk::kRight);
  EXPECT_EQ(form->MenuItem(), 12);
  Press('N');
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->MenuItem(), 1);  // the menu's selection comes back
  EXPECT_EQ(form->Screens().Window(), nullptr);
  // The sixth button opens the same question; Enter answers with the selection.
  platform.MoveMouse(600, 410);
  platform.Click();
  Frame();
  ASSERT_EQ(form->WindowOpen(), 1);
  Press(vk::kLeft);
  Enter();
  EXPECT_TRUE(form->Terminated());
  EXPECT_EQ(form->Sky, nullptr);
}

TEST_F(FormFixture, OptionsScreenTogglesCapturesTheBossKeyAndTypesTheCountry) {
  WaitForTheMenu();
  Press(vk::kDown);
  Enter();
  ASSERT_EQ(form->ScreenType(), kScreenOptions);
  const TOptionsScreen& options = *test_support::CurrentScreen<TOptionsScreen>(*form);
  EXPECT_EQ(form->MenuItem(), 6);  // Back is preselected
  Press(vk::kUp);
  Press(vk::kUp);
  Press(vk::kUp);
  EXPECT_EQ(form->MenuItem(), 3);
  Enter();  // sounds off
  EXPECT_FALSE(form->Options.Sounds);
  // The boss key: capture, hold Ctrl, press F5.
  Press(vk::kDown);
  Enter();
  ASSERT_TRUE(options.BossCapture());
  EXPECT_EQ(options.BossKeyName(), "?");
  platform.KeyDown(vk::kControl);
  Frame();
  EXPECT_EQ(options.BossKeyName(), "CTRL+?");
  platform.KeyDown(vk::kF1 + 4);
  Frame();
  platform.KeyUp(vk::kF1 + 4);
  platform.KeyUp(vk::kControl);
  Frame();
  EXPECT_FALSE(options.BossCapture());
  EXPECT_EQ(options.BossKeyName(), "CTRL+F5");
  // A capture left by moving to another row gives the old key back.
  Enter();
  ASSERT_TRUE(options.BossCapture());
  Press(vk::kDown);
  EXPECT_FALSE(options.BossCapture());
  EXPECT_EQ(options.BossKeyName(), "CTRL+F5");
  // The country: Backspace takes the underscores; typable characters only, twelve at most.
  Enter();
  ASSERT_TRUE(options.CountryEdit());
  for (int i = 0; i < 7; ++i) platform.TypeChar(8);
  platform.TypeChar('!');  // punctuation below '0' is refused
  for (char c : std::string("ABCDEFGHIJKLMN")) platform.TypeChar(c);
  Frame();
  EXPECT_EQ(form->Options.Country, "ABCDEFGHIJKL");
  Press(vk::kEscape);  // ends the editing, the screen stays
  EXPECT_FALSE(options.CountryEdit());
  EXPECT_EQ(form->ScreenType(), kScreenOptions);
  Press(vk::kEscape);
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->MenuItem(), 2);
}

TEST_F(FormFixture, HighScoreAndHelpScreensAnswerTheirButtons) {
  WaitForTheMenu();
  Press(vk::kDown);
  Press(vk::kDown);
  Enter();
  ASSERT_EQ(form->ScreenType(), kScreenHighScores);
  Press(vk::kLeft);  // nothing left of Back
  EXPECT_EQ(form->MenuItem(), 1);
  Press(vk::kRight);
  Press(vk::kRight);
  Press(vk::kRight);  // nothing right of Visit
  EXPECT_EQ(form->MenuItem(), 3);
  const TRecordsScreen& records = *test_support::CurrentScreen<TRecordsScreen>(*form);
  EXPECT_FALSE(records.NoServerNoteShown());
  Enter();  // no records server is set: the screen says so instead of opening a page
  EXPECT_TRUE(platform.OpenedUrls().empty());
  EXPECT_TRUE(records.NoServerNoteShown());
  // Clearing the records: a question first, No selected; Yes puts the defaults back.
  form->HighScores[1] = {"Ann", 9000};
  Press(vk::kLeft);
  Enter();
  ASSERT_EQ(form->WindowOpen(), 4);
  EXPECT_EQ(form->MenuItem(), 12);
  Press('Y');
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->HighScores[1].Points, 5000);
  EXPECT_EQ(form->MenuItem(), 2);
  Press(vk::kEscape);
  ASSERT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->MenuItem(), 3);

  Press(vk::kDown);
  Enter();
  ASSERT_EQ(form->ScreenType(), kScreenHelp);
  const THelpScreen& help = *test_support::CurrentScreen<THelpScreen>(*form);
  EXPECT_EQ(help.Page(), 1);
  EXPECT_FALSE(help.Pictures()[0]->Visible);
  Press(vk::kRight);
  Press(vk::kRight);  // Back → Previous → Next
  EXPECT_EQ(form->MenuItem(), 3);
  Press(vk::kRight);  // now each Right turns a page
  EXPECT_EQ(help.Page(), 2);
  EXPECT_TRUE(help.Pictures()[0]->Visible);  // the airplane
  EXPECT_FALSE(help.Pictures()[13]->Visible);
  for (int i = 0; i < 4; ++i) Press(vk::kRight);
  EXPECT_EQ(help.Page(), 6);
  EXPECT_TRUE(help.Pictures()[13]->Visible);  // the logo
  Press(vk::kRight);
  EXPECT_EQ(help.Page(), 1);
  Press(vk::kLeft);
  Enter();  // Previous on page 1 wraps to 6
  EXPECT_EQ(help.Page(), 6);
  Press(vk::kEscape);
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->MenuItem(), 4);
}

TEST_F(FormFixture, CloseRequestAsksInsteadOfClosing) {
  platform.RequestClose();
  Frame();
  EXPECT_FALSE(form->Terminated());
  EXPECT_EQ(form->WindowOpen(), 1);
  form->Screens().Pop();
  form->ShowGameScreen();
  platform.RequestClose();
  Frame();
  EXPECT_EQ(form->WindowOpen(), 2);
}

TEST_F(FormFixture, HeldKeysAndMouseAreRecordedBetweenFrames) {
  platform.KeyDown(vk::kSpace);
  platform.KeyDown(vk::kControl);
  platform.MoveMouse(123, 456);
  platform.PressMouse();
  form->ProcessEvents();
  EXPECT_TRUE(form->SpaceHeld);
  EXPECT_TRUE(form->CtrlHeld);
  EXPECT_TRUE(form->MouseHeld);
  EXPECT_EQ(form->MouseX, 123);
  EXPECT_EQ(form->MouseY, 456);
  platform.KeyUp(vk::kSpace);
  platform.ReleaseMouse();
  form->ProcessEvents();
  EXPECT_FALSE(form->SpaceHeld);
  EXPECT_TRUE(form->CtrlHeld);
  EXPECT_FALSE(form->MouseHeld);
}

TEST_F(FormFixture, PressedFlagsLastOneFrame) {
  platform.KeyDown('P');
  Frame();
  EXPECT_TRUE(form->Controls.Pause.Pressed);
  Frame();
  EXPECT_FALSE(form->Controls.Pause.Pressed);
  platform.KeyUp('P');
  platform.KeyDown('P');  // released and pressed between two frames: no edge seen
  Frame();
  EXPECT_FALSE(form->Controls.Pause.Pressed);
}

TEST_F(FormFixture, CursorOperationsLeaveADefiniteState) {
  form->HideMouseCursor();
  EXPECT_EQ(platform.CursorCount(), -1);
  form->HideMouseCursor();
  EXPECT_EQ(platform.CursorCount(), -2);
  form->ShowMouseCursor();
  EXPECT_EQ(platform.CursorCount(), 0);
}

TEST_F(FormFixture, MusicOffMakesPlaySongDoNothing) {
  form->StopSong();
  form->Options.Music = false;
  form->StartScreenMusic();
  EXPECT_EQ(form->SongHandle, 0u);
  form->Options.Music = true;
  form->ShowGameScreen();
  EXPECT_EQ(form->SongPath, "Data/Music/Race.xm");
  EXPECT_NE(form->SongHandle, 0u);
}

TEST(FormMusic, MissingModuleLeavesTheGameSilent) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  platform::THeadlessPlatform platform;
  TMForm form(platform);
  form.FormCreate();
  EXPECT_EQ(form.SongHandle, 0u);
}

TEST(Program, SessionEndLeavesThroughTheOrderlyExitAndOpensThePlayLink) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  dir.Write("play.url", "[InternetShortcut]\r\nURL=https://example.org/play\r\n");
  platform::THeadlessPlatform platform;
  platform.RequestQuit();
  EXPECT_EQ(RunProgram(platform), 0);
  ASSERT_EQ(platform.OpenedUrls().size(), 1u);
  EXPECT_EQ(platform.OpenedUrls()[0], "https://example.org/play");
}

TEST(Program, WithoutThePlayLinkTheProcessSimplyEnds) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  platform::THeadlessPlatform platform;
  platform.RequestQuit();
  EXPECT_EQ(RunProgram(platform), 0);
  EXPECT_TRUE(platform.OpenedUrls().empty());
  EXPECT_TRUE(platform.Errors().empty());
}

}  // namespace
