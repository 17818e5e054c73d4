#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/forwarding_platform.h"
#include "platform/input_tape.h"

namespace platform {

// Plays a tape back: the game's questions are answered from it, while what the game shows
// and plays goes on to the platform beneath (a window to watch in, or the headless one). What
// would reach outside (a link opened, a request sent, the pointer moved, the window
// minimised, moved or switched to another mode) stays inside once the recorded game runs.
class TReplayPlatform final : public TForwardingPlatform {
 public:
  // ETapeError when the tape's start is damaged.
  TReplayPlatform(TPlatform& inner, std::span<const uint8_t> tape);

  // Until the recorded game starts (while the program sets itself up), the platform beneath
  // answers; from here on, the tape.
  void Arm() { armed_ = true; }
  // While held, the pictures the game shows are kept, not shown: a viewer playing several
  // frames in one refresh shows only the last, with ShowHeld.
  void HoldPictures(bool hold) { holdPictures_ = hold; }
  void ShowHeld();

  // The tape is played to its end, or was found damaged on the way.
  bool Finished() const { return damage_.has_value() || (afterEvents_ && reader_.AtEnd()); }
  const std::optional<std::string>& Damage() const { return damage_; }
  // The clock as the tape last gave it, for a caller that must not ask the tape itself.
  uint32_t LastTicks() const { return lastTicks_; }

  uint32_t Ticks() override;
  bool PollEvent(TEvent& event) override;
  void WaitEvent(int) override {}
  bool AppActive() override { return Flag(TTapeRead::AppActive, &TPlatform::AppActive); }
  bool DisplayInitialize(const TDisplayRequest& request) override;
  void DisplayFinalize() override;
  void SetCentered(bool centered) override;
  void SetBordered(bool bordered) override;
  void SetWindowPlacement(const TWindowPlacement& placement) override;
  bool TargetLost() override { return Flag(TTapeRead::TargetLost, &TPlatform::TargetLost); }
  bool RestoreTarget() override;
  int RefreshRate() override;
  void Present(const uint32_t* pixels, int width, int height) override;
  void PaceFrame(int) override {}
  void Minimize() override {}
  TPoint GetCursorPos() override;
  void SetCursorPos(TPoint) override {}
  TPoint GetWindowPos() override;
  void GetKeyboardState(std::array<uint8_t, 256>& table) override;
  bool IsForeground() override { return Flag(TTapeRead::Foreground, &TPlatform::IsForeground); }
  bool ReadJoystick(int id, TJoystickRaw& raw) override;
  bool ReadController(TControllerState& state) override;
  bool OpenUrl(const std::string&) override { return false; }
  bool HttpGet(const std::string&) override { return armed_ && Flag(TTapeRead::HttpGet); }
  // A replayed game sends nothing, and its own upload came after its recording ended.
  bool HttpPost(const std::string&, const std::vector<uint8_t>&) override { return false; }

 private:
  bool Flag(TTapeRead kind) { return reader_.Next(kind).number != 0; }
  bool Flag(TTapeRead kind, bool (TPlatform::*beneath)()) {
    return armed_ ? Flag(kind) : (Inner().*beneath)();
  }

  TTapeReader reader_;
  bool armed_ = false;
  bool holdPictures_ = false;
  const uint32_t* heldPixels_ = nullptr;
  int heldWidth_ = 0;
  int heldHeight_ = 0;
  bool afterEvents_;
  uint32_t lastTicks_ = 0;
  std::optional<std::string> damage_;
};

}  // namespace platform
