#pragma once

#include <chrono>

namespace platform {

// Holds frames to a steady rate against deadlines on a monotonic clock. Vsync is not trusted
// as a clock: some drivers only simulate it, in whole milliseconds. Each wait sleeps until
// just before the deadline and yields through the last fraction of a millisecond, so the
// rate is exact without keeping a core busy.
class TFramePacer {
 public:
  using TClock = std::chrono::steady_clock;

  void Wait(int rateHz);

 private:
  // How far before the deadline sleeping stops; sleeps can overshoot by about this much.
  static constexpr std::chrono::microseconds kSpinMargin{300};

  TClock::time_point deadline_{};
  int rate_ = 0;
};

}  // namespace platform
