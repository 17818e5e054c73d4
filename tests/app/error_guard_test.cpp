#include "app/error_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"

namespace {

TEST(ErrorGuard, AnErrorIsShownAndTheGameGoesOnUnlessItComesBackEveryFrame) {
  platform::THeadlessPlatform platform;
  TErrorGuard guard(platform);
  guard.Event([] { throw std::runtime_error("Disk full: /save/hs"); });
  ASSERT_EQ(platform.Errors(), std::vector<std::string>{"Disk full: /save/hs"});

  // A frame that fails now and then is shown each time it fails anew, never fatal.
  auto failing = [] { throw std::runtime_error("broken frame"); };
  uint32_t now = 1000;
  for (int i = 0; i < 10; ++i) {
    platform.SetTicks(now += TErrorGuard::kRepeatLimitMs);
    guard.Frame(failing);
    guard.Frame([] {});
  }
  EXPECT_FALSE(guard.Fatal());
  EXPECT_EQ(platform.Errors().size(), 11u);

  // The same error every frame: one box, then the end of the run once it has lasted.
  for (uint32_t ms = 0; ms < TErrorGuard::kRepeatLimitMs; ms += 10) {
    platform.SetTicks(now + ms);
    guard.Frame(failing);
  }
  EXPECT_FALSE(guard.Fatal());
  EXPECT_EQ(platform.Errors().size(), 12u);
  platform.SetTicks(now + TErrorGuard::kRepeatLimitMs);
  guard.Frame(failing);
  EXPECT_EQ(guard.Fatal(), "broken frame");
}

using ModeSwitch = test_support::THeadlessFormFixture;

TEST_F(ModeSwitch, ARefusedFullScreenLeavesTheGameInItsWindow) {
  Frames(5);
  platform.FailDisplayModes(true);
  platform.QueueEvent({platform::TEventKind::KeyDown, platform::vk::kReturn, platform::kShiftAlt});
  Frames(5);
  EXPECT_FALSE(form->Terminated());
  EXPECT_FALSE(form->Options.FullScreen);
  EXPECT_TRUE(platform.DisplayInitialized());
  EXPECT_FALSE(platform.LastDisplayRequest().fullScreen);
  ASSERT_EQ(platform.Errors().size(), 1u);
  EXPECT_NE(platform.Errors()[0].find("Display mode cannot be changed"), std::string::npos);
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  const int presented = platform.PresentCount();
  Frames(3);
  EXPECT_GT(platform.PresentCount(), presented);  // and it still draws
}

}  // namespace
