#include "engine/dx_timer.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_platform.h"

namespace {

struct TimerFixture : ::testing::Test {
  platform::THeadlessPlatform platform;
  engine::TDXTimer timer{platform};
  std::vector<int> lags;

  void SetUp() override {
    timer.SetInterval(0);
    timer.OnTimer = [this](engine::TDXTimer&, int lag) { lags.push_back(lag); };
  }
};

TEST_F(TimerFixture, TwoTicksInOneMillisecondPassLagOne) {
  platform.SetTicks(100);
  timer.Loaded(true);
  platform.SetTicks(105);
  ASSERT_TRUE(timer.Idle());
  ASSERT_TRUE(timer.Idle());
  EXPECT_EQ(lags, (std::vector<int>{5, 1}));
}

TEST_F(TimerFixture, MeasuresTheRateOverPeriodsOfAtLeastOneSecond) {
  timer.Loaded(true);
  // 60 frames of 16 or 17 ms: the period closes at 1000 ms, not before.
  for (int frame = 1; frame <= 59; ++frame) {
    platform.SetTicks(frame * 1000 / 60);
    timer.Idle();
    EXPECT_EQ(timer.FramesPerSecond(), 0) << "frame " << frame;
  }
  platform.SetTicks(1000);
  timer.Idle();
  EXPECT_EQ(timer.FramesPerSecond(), 60);
  // 43 frames over 1010 ms: 42.57 rounds to 43.
  for (int frame = 1; frame <= 43; ++frame) {
    platform.SetTicks(1000 + frame * 1010 / 43);
    timer.Idle();
  }
  EXPECT_EQ(timer.FramesPerSecond(), 43);
}

TEST_F(TimerFixture, ActiveOnlyTimerStandsStillWhileInactiveAndRestartsWithAFreshLagBase) {
  timer.Loaded(false);
  EXPECT_FALSE(timer.Started());
  EXPECT_FALSE(timer.Idle());
  timer.AppActivated();
  platform.SetTicks(10);
  timer.Idle();
  timer.AppDeactivated();
  platform.SetTicks(5010);
  EXPECT_FALSE(timer.Idle());
  timer.AppActivated();
  platform.SetTicks(5013);
  ASSERT_TRUE(timer.Idle());
  EXPECT_EQ(lags.back(), 3);
}

TEST_F(TimerFixture, TimerThatIsNotActiveOnlyRunsInTheBackground) {
  timer.SetActiveOnly(false);
  timer.Loaded(false);
  platform.SetTicks(20);
  EXPECT_TRUE(timer.Idle());
  timer.AppDeactivated();
  EXPECT_TRUE(timer.Idle());
}

TEST_F(TimerFixture, IntervalHoldsFramesBackAndDividesTheLag) {
  timer.SetInterval(10);
  timer.Loaded(true);
  platform.SetTicks(9);
  EXPECT_FALSE(timer.Idle());
  platform.SetTicks(25);
  ASSERT_TRUE(timer.Idle());
  EXPECT_EQ(lags.back(), 2);
  timer.SetInterval(-5);
  EXPECT_EQ(timer.Interval(), 0);
}

TEST_F(TimerFixture, DisablingStopsAndEnablingStartsWhenActive) {
  timer.Loaded(true);
  timer.SetEnabled(false);
  platform.SetTicks(50);
  EXPECT_FALSE(timer.Idle());
  timer.SetEnabled(true);
  platform.SetTicks(60);
  ASSERT_TRUE(timer.Idle());
  EXPECT_EQ(lags.back(), 10);
}

TEST_F(TimerFixture, ClockWrapStillGivesTheElapsedTime) {
  platform.SetTicks(0xFFFFFFF0u);
  timer.Loaded(true);
  platform.SetTicks(0x10);
  ASSERT_TRUE(timer.Idle());
  EXPECT_EQ(lags.back(), 0x20);
}

}  // namespace
