#include <gtest/gtest.h>

#include "app/form.h"
#include "platform/headless/headless_platform.h"

namespace {

struct TimingCase {
  int measured;
  int refresh;
  double speedFactor;
  int frameMs;
};

class FrameTiming : public ::testing::TestWithParam<TimingCase> {};

// The timing as the frame loop would compute it after the timer measured `measured`.
TEST_P(FrameTiming, ChoosesTheEffectiveRate) {
  const TimingCase c = GetParam();
  platform::THeadlessPlatform platform(c.refresh);
  TMForm form(platform);
  form.RefreshRate = c.refresh;
  // Drive the timer so that it measures the wanted rate over one second.
  form.MDXTimer.OnTimer = nullptr;
  for (int frame = 1; frame <= c.measured; ++frame) {
    platform.SetTicks(static_cast<uint32_t>(frame * 1000 / c.measured));
    form.MDXTimer.Idle();
  }
  ASSERT_EQ(form.MDXTimer.FramesPerSecond(), c.measured);
  form.UpdateFrameTiming();
  EXPECT_DOUBLE_EQ(form.Game.SpeedFactor, c.speedFactor);
  EXPECT_EQ(form.Game.FrameMs, c.frameMs);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameTiming,
    ::testing::Values(TimingCase{0, 60, 85.0 / 60, 16}, TimingCase{0, 85, 1.0, 11},
                      TimingCase{58, 60, 85.0 / 60, 16}, TimingCase{57, 60, 85.0 / 60, 16},
                      TimingCase{56, 60, 85.0 / 56, 17}, TimingCase{40, 60, 2.125, 25},
                      TimingCase{60, 60, 85.0 / 60, 16}, TimingCase{61, 60, 85.0 / 61, 16},
                      TimingCase{62, 60, 85.0 / 62, 16}, TimingCase{63, 60, 85.0 / 60, 16},
                      TimingCase{120, 60, 85.0 / 60, 16}),
    [](const ::testing::TestParamInfo<TimingCase>& info) {
      return "measured" + std::to_string(info.param.measured) + "_refresh" +
             std::to_string(info.param.refresh);
    });

TEST(FrameTimingWithoutRate, KeepsTheTimingItHadInsteadOfDividingByZero) {
  platform::THeadlessPlatform platform;
  TMForm form(platform);
  form.RefreshRate = 0;
  form.UpdateFrameTiming();
  EXPECT_EQ(form.Game.SpeedFactor, 1.0);
  EXPECT_EQ(form.Game.FrameMs, 15);
}

}  // namespace
