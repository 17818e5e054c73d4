#include "engine/dx_timer.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace engine {

void TDXTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) {
    running_ = false;
    Stop();
    return;
  }
  running_ = true;
  if (!activeOnly_ || platform_.AppActive()) Start();
}

void TDXTimer::SetInterval(int interval) {
  interval_ = std::max(interval, 0);
  divisor_ = std::max(interval, 1);
}

void TDXTimer::Loaded(bool appActive) {
  if (!enabled_) return;
  running_ = true;
  if (!activeOnly_ || appActive) Start();
}

void TDXTimer::Start() {
  lastFrameTime_ = platform_.Ticks();
  periodStart_ = lastFrameTime_;
  started_ = true;
}

void TDXTimer::AppActivated() {
  if (OnActivate) OnActivate();
  if (running_ && activeOnly_) Start();
}

void TDXTimer::AppDeactivated() {
  if (OnDeactivate) OnDeactivate();
  if (running_ && activeOnly_) Stop();
}

bool TDXTimer::Idle() {
  if (!started_) return false;
  const uint32_t now = platform_.Ticks();
  const uint32_t elapsed = now - lastFrameTime_;
  if (elapsed < static_cast<uint32_t>(interval_)) return false;
  lastFrameTime_ = now;
  const int lag = static_cast<int>(elapsed / static_cast<uint32_t>(divisor_));

  ++framesInPeriod_;
  const uint32_t period = std::max<uint32_t>(now - periodStart_, 1);
  if (period >= kMeasurePeriodMs) {
    framesPerSecond_ = static_cast<int32_t>(
        std::nearbyint(static_cast<double>(framesInPeriod_) * 1000.0 / period));
    framesInPeriod_ = 0;
    periodStart_ = now;
  }
  if (OnTimer) OnTimer(*this, lag == 0 ? 1 : lag);
  return true;
}

}  // namespace engine
