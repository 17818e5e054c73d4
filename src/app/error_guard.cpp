#include "app/error_guard.h"

#include <exception>

#include "platform/platform.h"

void TErrorGuard::Tell(const std::string& utf8Message) {
  platform_.ShowError(kGameTitle, utf8Message);
}

std::string TErrorGuard::Note() const {
  return FaultNote ? FaultNote() : std::string();
}

void TErrorGuard::Event(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    Tell(error.what() + Note());
  }
}

void TErrorGuard::Frame(const std::function<void()>& frame) {
  try {
    frame();
    failingSince_.reset();
  } catch (const std::exception& error) {
    if (!failingSince_ || frameError_ != error.what()) {
      frameError_ = error.what();
      Tell(frameError_ + Note());
      failingSince_ = platform_.Ticks();
    } else if (platform_.Ticks() - *failingSince_ >= kRepeatLimitMs) {
      fatal_ = frameError_;
    }
  }
}
