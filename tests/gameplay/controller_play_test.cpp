#include <gtest/gtest.h>

#include "objects/player.h"
#include "support/headless_form_fixture.h"

namespace {

// A game played with nothing but a controller, plugged in at the main menu and pulled out
// during the game.
struct ControllerPlay : test_support::THeadlessFormFixture {
  platform::TControllerState pad;

  // The pad's state for the next frames.
  void Hold(bool platform::TControllerState::*button, bool down) {
    pad.*button = down;
    platform.SetController(pad);
  }
  void Tap(bool platform::TControllerState::*button) {
    Hold(button, true);
    Frame();
    Hold(button, false);
    Frame();
  }
};

TEST_F(ControllerPlay, StartsAGameFlysFiresPausesAndAsksToLeave) {
  platform.SetController(pad);
  Frames(70);  // the menu fades in
  Tap(&platform::TControllerState::down);
  EXPECT_EQ(form->MenuItem(), 2);
  Tap(&platform::TControllerState::up);
  EXPECT_EQ(form->MenuItem(), 1);
  Tap(&platform::TControllerState::south);  // "Новая игра"
  ASSERT_EQ(form->ScreenType(), kScreenGame);
  for (int i = 0; i < 400 && form->Game.Player->State != TPlayer::kFlying; ++i) Frame();

  const double y = form->Game.Player->Y;
  Hold(&platform::TControllerState::up, true);
  Frames(10);
  Hold(&platform::TControllerState::up, false);
  EXPECT_LT(form->Game.Player->Y, y - 40);

  // South held fires in the game; it activates nothing there.
  Hold(&platform::TControllerState::south, true);
  Frames(3);
  EXPECT_TRUE(form->Game.Player->FireHeld);
  EXPECT_GT(form->Game.Bullets.UsedCount(), 0);
  EXPECT_EQ(form->WindowOpen(), 0);
  Hold(&platform::TControllerState::south, false);
  Frame();

  Tap(&platform::TControllerState::start);
  EXPECT_EQ(form->WindowOpen(), 5);
  Tap(&platform::TControllerState::start);
  EXPECT_EQ(form->WindowOpen(), 0);
  Tap(&platform::TControllerState::back);
  ASSERT_EQ(form->WindowOpen(), 2);
  EXPECT_EQ(form->MenuItem(), 12);
  Tap(&platform::TControllerState::south);  // No, as Enter would
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->ScreenType(), kScreenGame);

  // Pulled out while fire is held: the craft stops firing.
  Hold(&platform::TControllerState::south, true);
  Frames(2);
  platform.SetController(std::nullopt);
  Frames(2);
  EXPECT_FALSE(form->Game.Player->FireHeld);
  EXPECT_FALSE(form->MDXInput.Controller.Connected);
  platform.SetController(platform::TControllerState{});
  Frame();
  EXPECT_TRUE(form->MDXInput.Controller.Connected);  // and picked up again
}

}  // namespace
