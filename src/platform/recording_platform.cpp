#include "platform/recording_platform.h"

namespace platform {

void TRecordingPlatform::Begin() {
  tape_ = std::make_unique<TTapeWriter>(afterEvents_);
}

uint32_t TRecordingPlatform::Ticks() {
  return Number(TTapeRead::Ticks, Inner().Ticks());
}

bool TRecordingPlatform::PollEvent(TEvent& event) {
  if (afterEvents_ && tape_) tape_->BeginFrame();
  afterEvents_ = !Inner().PollEvent(event);
  if (!afterEvents_ && tape_) tape_->Event(event);
  return !afterEvents_;
}

bool TRecordingPlatform::AppActive() {
  return Number(TTapeRead::AppActive, Inner().AppActive());
}

bool TRecordingPlatform::DisplayInitialize(const TDisplayRequest& request) {
  return Number(TTapeRead::DisplayInitialize, Inner().DisplayInitialize(request));
}

bool TRecordingPlatform::TargetLost() {
  return Number(TTapeRead::TargetLost, Inner().TargetLost());
}

bool TRecordingPlatform::RestoreTarget() {
  return Number(TTapeRead::RestoreTarget, Inner().RestoreTarget());
}

int TRecordingPlatform::RefreshRate() {
  return Number(TTapeRead::RefreshRate, Inner().RefreshRate());
}

TPoint TRecordingPlatform::GetCursorPos() {
  const TPoint p = Inner().GetCursorPos();
  if (tape_) tape_->Point(TTapeRead::Cursor, p);
  return p;
}

TPoint TRecordingPlatform::GetWindowPos() {
  const TPoint p = Inner().GetWindowPos();
  if (tape_) tape_->Point(TTapeRead::WindowPos, p);
  return p;
}

void TRecordingPlatform::GetKeyboardState(std::array<uint8_t, 256>& table) {
  Inner().GetKeyboardState(table);
  if (tape_) tape_->Keys(table);
}

bool TRecordingPlatform::IsForeground() {
  return Number(TTapeRead::Foreground, Inner().IsForeground());
}

bool TRecordingPlatform::ReadJoystick(int id, TJoystickRaw& raw) {
  const bool read = Inner().ReadJoystick(id, raw);
  if (tape_) tape_->Joystick(read, raw);
  return read;
}

bool TRecordingPlatform::ReadController(TControllerState& state) {
  const bool read = Inner().ReadController(state);
  if (tape_) tape_->Controller(read, state);
  return read;
}

bool TRecordingPlatform::HttpGet(const std::string& url) {
  return Number(TTapeRead::HttpGet, Inner().HttpGet(url));
}

}  // namespace platform
