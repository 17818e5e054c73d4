#include <gtest/gtest.h>

#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"

namespace {

namespace vk = platform::vk;

constexpr int kF9 = vk::kF1 + 8;

// The window manager minimises the window a while after the boss key asks it to.
struct BossKey : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    platform.DeferMinimize(true);
    Frames(3);
    ASSERT_NE(form->SongHandle, 0u);
  }
  void PressBossKey() {
    platform.KeyDown(vk::kMenu);
    platform.KeyDown(kF9);
    Frame();
    platform.KeyUp(kF9);
    platform.KeyUp(vk::kMenu);
  }
};

TEST_F(BossKey, TheFramesBeforeTheMinimiseArrivesDoNotStartTheMusicAgain) {
  PressBossKey();
  EXPECT_FALSE(platform.Minimized());
  const int presented = platform.PresentCount();
  Frames(2);
  EXPECT_EQ(form->SongHandle, 0u) << "the song started again before the window was hidden";
  EXPECT_TRUE(form->MusicPending);
  EXPECT_EQ(platform.PresentCount(), presented) << "the game runs on while it is being hidden";
  platform.CompleteMinimize();
  Frames(2);
  EXPECT_EQ(form->SongHandle, 0u);
  EXPECT_EQ(platform.PresentCount(), presented);
  platform.SetFocus(true);  // restored
  Frame();
  EXPECT_NE(form->SongHandle, 0u);
  EXPECT_FALSE(form->MusicPending);
  EXPECT_EQ(platform.PresentCount(), presented + 1);
}

TEST_F(BossKey, AWindowManagerThatNeverMinimisesLetsTheNextKeyWakeTheGame) {
  PressBossKey();
  Frames(3);
  const int presented = platform.PresentCount();
  EXPECT_EQ(form->SongHandle, 0u);
  platform.KeyDown(vk::kSpace);
  Frame();
  EXPECT_EQ(platform.PresentCount(), presented + 1);
  EXPECT_NE(form->SongHandle, 0u);
}

using Expose = test_support::THeadlessFormFixture;

TEST_F(Expose, AnInactiveWindowShowsItsLastFrameAgainOnEveryExpose) {
  Frames(3);
  const std::vector<uint32_t> last = platform.LastFrame();
  const int presented = platform.PresentCount();
  platform.SetFocus(false);
  Frames(2);
  ASSERT_EQ(platform.PresentCount(), presented) << "no frame runs while inactive";
  platform.Expose();
  Frame();
  platform.Expose();
  Frame();
  EXPECT_EQ(platform.PresentCount(), presented + 2);
  EXPECT_EQ(platform.LastFrame(), last);
  // While active the running frames paint the window; an expose adds nothing.
  platform.SetFocus(true);
  Frame();
  platform.Expose();
  Frame();
  EXPECT_EQ(platform.PresentCount(), presented + 4);
}

}  // namespace
