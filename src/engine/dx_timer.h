#pragma once

#include <cstdint>
#include <functional>

namespace platform {
class TPlatform;
}

namespace engine {

// The frame timer: called from the message loop whenever it is idle, it fires OnTimer with
// the milliseconds since the previous frame (the lag, never 0) and measures the frame rate
// over periods of at least one second. With ActiveOnly it stands still while the application
// is inactive and restarts with a fresh lag base.
class TDXTimer {
 public:
  using TTimerEvent = std::function<void(TDXTimer& sender, int lag)>;

  explicit TDXTimer(platform::TPlatform& platform) : platform_(platform) {}

  bool ActiveOnly() const { return activeOnly_; }
  void SetActiveOnly(bool activeOnly) { activeOnly_ = activeOnly; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int interval);
  int32_t FramesPerSecond() const { return framesPerSecond_; }
  // Installed as the idle handler: the message loop calls Idle().
  bool Started() const { return started_; }

  // Where the timer stands between two frames, so a replay can start a game from there.
  struct TState {
    bool running = false;
    bool started = false;
    uint32_t lastFrameTime = 0;
    uint32_t periodStart = 0;
    int32_t framesInPeriod = 0;
    int32_t framesPerSecond = 0;
  };
  TState State() const {
    return {running_, started_, lastFrameTime_, periodStart_, framesInPeriod_, framesPerSecond_};
  }
  void SetState(const TState& s) {
    running_ = s.running;
    started_ = s.started;
    lastFrameTime_ = s.lastFrameTime;
    periodStart_ = s.periodStart;
    framesInPeriod_ = s.framesInPeriod;
    framesPerSecond_ = s.framesPerSecond;
  }

  // The component's load: marks the timer running and starts it when allowed.
  void Loaded(bool appActive);
  void AppActivated();
  void AppDeactivated();
  // One idle call; true when a frame was fired.
  bool Idle();

  TTimerEvent OnTimer;
  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;

 private:
  static constexpr int kDefaultInterval = 1000;
  static constexpr uint32_t kMeasurePeriodMs = 1000;

  void Start();
  void Stop() { started_ = false; }

  platform::TPlatform& platform_;
  bool activeOnly_ = true;
  bool enabled_ = true;
  int interval_ = kDefaultInterval;
  int divisor_ = kDefaultInterval;
  bool running_ = false;
  bool started_ = false;
  uint32_t lastFrameTime_ = 0;
  uint32_t periodStart_ = 0;
  int32_t framesInPeriod_ = 0;
  int32_t framesPerSecond_ = 0;
};

}  // namespace engine
