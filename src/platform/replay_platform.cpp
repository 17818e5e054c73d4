#include "platform/replay_platform.h"

namespace platform {

TReplayPlatform::TReplayPlatform(TPlatform& inner, std::span<const uint8_t> tape)
    : TForwardingPlatform(inner), reader_(tape), afterEvents_(reader_.AfterEvents()) {}

uint32_t TReplayPlatform::Ticks() {
  if (!armed_) return Inner().Ticks();
  lastTicks_ = static_cast<uint32_t>(reader_.Next(TTapeRead::Ticks).number);
  return lastTicks_;
}

// The frame's events, then one poll that finds none; the poll after that begins the next
// frame. Past the tape's end, or once it proved damaged, no more events come.
bool TReplayPlatform::PollEvent(TEvent& event) {
  if (damage_ || !armed_) return false;
  if (afterEvents_) {
    try {
      if (!reader_.NextFrame()) return false;
    } catch (const ETapeError& error) {
      damage_ = error.what();
      return false;
    }
    afterEvents_ = false;
  }
  if (const auto next = reader_.NextEvent()) {
    event = *next;
    return true;
  }
  afterEvents_ = true;
  return false;
}

void TReplayPlatform::Present(const uint32_t* pixels, int width, int height) {
  heldPixels_ = pixels;
  heldWidth_ = width;
  heldHeight_ = height;
  if (!holdPictures_) Inner().Present(pixels, width, height);
}

void TReplayPlatform::ShowHeld() {
  if (heldPixels_) Inner().Present(heldPixels_, heldWidth_, heldHeight_);
}

// The window is made while the program sets itself up, so there is something to watch; from
// the recorded game on it stays as it is, and the game is told what the recording was told.
bool TReplayPlatform::DisplayInitialize(const TDisplayRequest& request) {
  if (armed_) return Flag(TTapeRead::DisplayInitialize);
  return Inner().DisplayInitialize(request);
}

// The picture held lies in the surface the display is about to free.
void TReplayPlatform::DisplayFinalize() {
  heldPixels_ = nullptr;
  if (!armed_) Inner().DisplayFinalize();
}

void TReplayPlatform::SetCentered(bool centered) {
  if (!armed_) Inner().SetCentered(centered);
}

void TReplayPlatform::SetBordered(bool bordered) {
  if (!armed_) Inner().SetBordered(bordered);
}

void TReplayPlatform::SetWindowPlacement(const TWindowPlacement& placement) {
  if (!armed_) Inner().SetWindowPlacement(placement);
}

bool TReplayPlatform::RestoreTarget() {
  const bool restored = Inner().RestoreTarget();
  return armed_ ? Flag(TTapeRead::RestoreTarget) : restored;
}

int TReplayPlatform::RefreshRate() {
  if (!armed_) return Inner().RefreshRate();
  return static_cast<int>(reader_.Next(TTapeRead::RefreshRate).number);
}

TPoint TReplayPlatform::GetCursorPos() {
  return armed_ ? reader_.Next(TTapeRead::Cursor).point : Inner().GetCursorPos();
}

TPoint TReplayPlatform::GetWindowPos() {
  return armed_ ? reader_.Next(TTapeRead::WindowPos).point : Inner().GetWindowPos();
}

void TReplayPlatform::GetKeyboardState(std::array<uint8_t, 256>& table) {
  if (!armed_) return Inner().GetKeyboardState(table);
  table = reader_.Next(TTapeRead::Keys).keys;
}

bool TReplayPlatform::ReadJoystick(int id, TJoystickRaw& raw) {
  if (!armed_) return Inner().ReadJoystick(id, raw);
  const TTapeAnswer& answer = reader_.Next(TTapeRead::Joystick);
  if (answer.number != 0) raw = answer.joystick;
  return answer.number != 0;
}

bool TReplayPlatform::ReadController(TControllerState& state) {
  if (!armed_) return Inner().ReadController(state);
  const TTapeAnswer& answer = reader_.Next(TTapeRead::Controller);
  if (answer.number != 0) state = answer.controller;
  return answer.number != 0;
}

}  // namespace platform
