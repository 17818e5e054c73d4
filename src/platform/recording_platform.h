#pragma once

#include <memory>

#include "platform/forwarding_platform.h"
#include "platform/input_tape.h"

namespace platform {

// Stands between the game and the real platform and, while a recording runs, writes every
// answer the game is given onto a tape: what a replay needs to play the game again.
class TRecordingPlatform final : public TForwardingPlatform {
 public:
  using TForwardingPlatform::TForwardingPlatform;

  void Begin();
  // The tape so far; the recording goes on.
  const TTapeWriter* Tape() const { return tape_.get(); }
  // Ends the recording and hands over its tape (none when nothing was recorded).
  std::unique_ptr<TTapeWriter> End() { return std::move(tape_); }

  uint32_t Ticks() override;
  bool PollEvent(TEvent& event) override;
  bool AppActive() override;
  bool DisplayInitialize(const TDisplayRequest& request) override;
  bool TargetLost() override;
  bool RestoreTarget() override;
  int RefreshRate() override;
  TPoint GetCursorPos() override;
  TPoint GetWindowPos() override;
  void GetKeyboardState(std::array<uint8_t, 256>& table) override;
  bool IsForeground() override;
  bool ReadJoystick(int id, TJoystickRaw& raw) override;
  bool ReadController(TControllerState& state) override;
  bool HttpGet(const std::string& url) override;
  // Not taped: the game uploads its replay once the recording has ended.

 private:
  template <typename T>
  T Number(TTapeRead kind, T value) {
    if (tape_) tape_->Number(kind, value);
    return value;
  }

  std::unique_ptr<TTapeWriter> tape_;
  // Between the poll that found no event and the next poll: the frame's events are over.
  bool afterEvents_ = false;
};

}  // namespace platform
