#include <gtest/gtest.h>

#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"

namespace {

namespace vk = platform::vk;

constexpr int kBossKeyRow = 4;

// The options screen with the boss-key capture running, the default Alt+F9 saved.
struct BossCapture : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    form->LeaveMainMenu();
    form->ShowOptions();
    form->Menu.Item = kBossKeyRow;
    Frame();
    form->Screens().Activate(kBossKeyRow);
    ASSERT_TRUE(form->BossCapture);
  }
};

TEST_F(BossCapture, ShiftAltF2StoresAltF2) {
  platform.KeyDown(vk::kShift);
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kF1 + 1);
  Frame();
  EXPECT_FALSE(form->BossCapture);
  EXPECT_EQ(form->BossShift, platform::kShiftAlt);
  EXPECT_EQ(form->BossKey, vk::kF1 + 1);
  EXPECT_EQ(form->BossKeyName(), "ALT+F2");
}

TEST_F(BossCapture, ALetterLeavesNoKeyAndTheCaptureGoesOn) {
  platform.KeyDown('A');
  Frame();
  EXPECT_TRUE(form->BossCapture);
  EXPECT_EQ(form->BossKey, 0);
  platform.KeyUp('A');
  platform.KeyDown(vk::kF1 + 6);
  Frame();
  EXPECT_FALSE(form->BossCapture);
  EXPECT_EQ(form->BossKeyName(), "F7");
}

TEST_F(BossCapture, LeavingTheScreenMidCaptureGivesTheOldKeyBack) {
  platform.KeyDown(vk::kControl);
  Frame();
  EXPECT_EQ(form->BossKeyName(), "CTRL+?");
  platform.KeyUp(vk::kControl);
  platform.KeyDown(vk::kEscape);
  Frame();
  platform.KeyUp(vk::kEscape);
  Frame();
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_FALSE(form->BossCapture);
  EXPECT_EQ(form->BossKeyName(), "ALT+F9");
}

}  // namespace
