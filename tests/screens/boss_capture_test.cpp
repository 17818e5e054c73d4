#include <gtest/gtest.h>

#include "platform/vk_codes.h"
#include "screens/options_screen.h"
#include "support/headless_form_fixture.h"
#include "support/screens.h"

namespace {

namespace vk = platform::vk;

// The options screen with the boss-key capture running, the default Alt+F9 saved.
struct BossCapture : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    options = &test_support::ShowScreen<TOptionsScreen>(*form);
    options->Menu()->Item = TOptionsScreen::kBossKeyRow;
    Frame();
    form->Screens().Activate(TOptionsScreen::kBossKeyRow);
    ASSERT_TRUE(options->BossCapture());
  }

  TOptionsScreen* options = nullptr;
};

TEST_F(BossCapture, ShiftAltF2StoresAltF2) {
  platform.KeyDown(vk::kShift);
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kF1 + 1);
  Frame();
  EXPECT_FALSE(options->BossCapture());
  EXPECT_EQ(form->BossShift, platform::kShiftAlt);
  EXPECT_EQ(form->BossKey, vk::kF1 + 1);
  EXPECT_EQ(options->BossKeyName(), "ALT+F2");
}

TEST_F(BossCapture, ALetterLeavesNoKeyAndTheCaptureGoesOn) {
  platform.KeyDown('A');
  Frame();
  EXPECT_TRUE(options->BossCapture());
  EXPECT_EQ(form->BossKey, 0);
  platform.KeyUp('A');
  platform.KeyDown(vk::kF1 + 6);
  Frame();
  EXPECT_FALSE(options->BossCapture());
  EXPECT_EQ(options->BossKeyName(), "F7");
}

TEST_F(BossCapture, LeavingTheScreenMidCaptureGivesTheOldKeyBack) {
  platform.KeyDown(vk::kControl);
  Frame();
  EXPECT_EQ(options->BossKeyName(), "CTRL+?");
  platform.KeyUp(vk::kControl);
  platform.KeyDown(vk::kEscape);
  Frame();
  platform.KeyUp(vk::kEscape);
  Frame();
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->BossShift, platform::kShiftAlt);
  EXPECT_EQ(form->BossKey, vk::kF1 + 8);
}

}  // namespace
