#include "platform/frame_pacer.h"

#include <thread>

namespace platform {

void TFramePacer::Wait(int rateHz) {
  if (rateHz <= 0) return;
  const auto period =
      std::chrono::duration_cast<TClock::duration>(std::chrono::duration<double>(1.0 / rateHz));
  const auto now = TClock::now();
  if (rateHz != rate_) {
    rate_ = rateHz;
    deadline_ = now;
  }
  deadline_ += period;
  // A frame that ran long (a window drag, a slow machine) starts a new rhythm instead of
  // racing through a burst of frames to catch up.
  if (now > deadline_ + period) deadline_ = now + period;
  if (deadline_ - now > kSpinMargin) std::this_thread::sleep_until(deadline_ - kSpinMargin);
  while (TClock::now() < deadline_) std::this_thread::yield();
}

}  // namespace platform
