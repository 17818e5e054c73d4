#include <gtest/gtest.h>

#include "gameplay/game_fixture.h"
#include "objects/scroll_background.h"
#include "platform/vk_codes.h"

namespace {

namespace vk = platform::vk;

constexpr uint8_t kQuitGame = 1;

void Press(test_support::THeadlessFormFixture& fixture, int key) {
  fixture.platform.KeyDown(key);
  fixture.Frame();
  fixture.platform.KeyUp(key);
  fixture.Frame();
}

using Pause = GameFixture;

TEST_F(Pause, ClosesOnPAndOnEscapeOnlyAndTheGameStandsStill) {
  Press(*this, 'P');
  ASSERT_EQ(form->WindowOpen(), kWindowPause);
  const double hills = form->Game.Hills[0]->X;
  for (int key :
       std::initializer_list<int>{'Y', 'N', vk::kLeft, vk::kUp, vk::kSpace, vk::kReturn, 'Z'}) {
    Press(*this, key);
    EXPECT_EQ(form->WindowOpen(), kWindowPause) << "key " << key;
  }
  EXPECT_EQ(form->Game.Hills[0]->X, hills);
  Press(*this, 'P');
  EXPECT_EQ(form->WindowOpen(), 0);
  Press(*this, 'P');
  ASSERT_EQ(form->WindowOpen(), kWindowPause);
  Press(*this, vk::kEscape);
  EXPECT_EQ(form->WindowOpen(), 0);
}

using MainMenu = test_support::THeadlessFormFixture;

TEST_F(MainMenu, EscapeDuringTheFadeInDoesNothing) {
  ASSERT_TRUE(form->Screens().Base()->FadingIn());
  Press(*this, vk::kEscape);
  EXPECT_EQ(form->WindowOpen(), 0);
  for (int i = 0; i < 200 && form->Screens().Base()->FadingIn(); ++i) Frame();
  Press(*this, vk::kEscape);
  EXPECT_EQ(form->WindowOpen(), kQuitGame);
}

TEST_F(MainMenu, ButtonSoundsOncePerChangeOfTheSelection) {
  for (int i = 0; i < 200 && form->Screens().Base()->FadingIn(); ++i) Frame();
  form->RecordSounds = true;
  const auto buttons = [this] {
    return std::count(form->SoundsStarted.begin(), form->SoundsStarted.end(), "Button");
  };
  Press(*this, vk::kDown);
  EXPECT_EQ(buttons(), 1) << "a key";
  form->SoundsStarted.clear();
  platform.MoveMouse(600, 262);  // onto the third button
  Frame();
  ASSERT_EQ(form->MenuItem(), 3);
  EXPECT_EQ(buttons(), 1) << "the pointer";
  form->SoundsStarted.clear();
  platform.MoveMouse(610, 265);  // within the same button
  Frame();
  Frame();
  EXPECT_EQ(buttons(), 0);
}

}  // namespace
