#include "engine/dx_input.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/engine_error.h"
#include "platform/platform.h"
#include "platform/vk_codes.h"

namespace engine {

namespace {

constexpr uint8_t kDown = 0x80;
constexpr int kFirstValidCode = 1;
constexpr int kLastValidCode = 255;

}  // namespace

bool TCustomInput::MayRead() const {
  return !owner_.ActiveOnly || owner_.Platform().IsForeground();
}

TKeyboard::TKeyboard(TDXInput& owner) : TCustomInput(owner) {
  // The built-in table: arrows steer, Space and Enter are the first two buttons. Owners with
  // their own table replace it.
  namespace vk = platform::vk;
  Assign(ksUp, 0, vk::kUp);
  Assign(ksDown, 0, vk::kDown);
  Assign(ksLeft, 0, vk::kLeft);
  Assign(ksRight, 0, vk::kRight);
  Assign(ksButton(1), 0, vk::kSpace);
  Assign(ksButton(2), 0, vk::kReturn);
}

void TKeyboard::LoadAssigns(std::span<const uint8_t> bytes) {
  if (bytes.size() != kAssignsBytes) {
    throw EDXInputError(
        Format("Key assignments must be %zu bytes, not %zu", kAssignsBytes, bytes.size()));
  }
  for (int i = 0; i < kAssignCount; ++i) {
    const uint8_t* b = bytes.data() + i * 4;
    const uint32_t value = b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t{b[3]} << 24);
    Assigns[i] = static_cast<int32_t>(value);
  }
}

std::vector<uint8_t> TKeyboard::SaveAssigns() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(kAssignsBytes);
  for (int32_t code : Assigns) {
    const auto value = static_cast<uint32_t>(code);
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<uint8_t>(value >> shift));
  }
  return bytes;
}

bool TKeyboard::KeyPressed(int32_t code) const {
  return code >= kFirstValidCode && code <= kLastValidCode && (Keys[code] & kDown) != 0;
}

void TKeyboard::Update() {
  Keys.fill(0);
  states_.reset();
  if (!initialized_ || !MayRead()) return;
  owner_.Platform().GetKeyboardState(Keys);
  for (int state = 0; state < kInputStateCount; ++state) {
    for (int slot = 0; slot < kSlots; ++slot) {
      if (KeyPressed(Assigns[state * kSlots + slot])) {
        states_.set(state);
        break;
      }
    }
  }
}

void TJoystick::SetDeadZone(int axis, int percent) {
  deadZone_[axis] = std::clamp(percent, 0, 100);
}

void TJoystick::SetRange(int axis, int range) {
  range_[axis] = std::max(range, 0);
}

int32_t TJoystick::ScaleAxis(uint32_t raw, uint32_t minimum, uint32_t maximum, int deadZone,
                             int range) {
  const int64_t half = (static_cast<int64_t>(maximum) - minimum) / 2;
  const int64_t p = static_cast<int64_t>(raw) - half;
  const double dz = static_cast<double>(half) * deadZone / 100.0;
  const double live = static_cast<double>(half) - dz;
  if (live == 0.0 || static_cast<double>(std::llabs(p)) <= dz) return 0;
  const double scaled = p > 0 ? (p - dz) * range / live : (p + dz) * range / live;
  // A position far outside its calibration must still give a number, not overflow one.
  constexpr double kLimit = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::nearbyint(std::clamp(scaled, -kLimit, kLimit)));
}

void TJoystick::Update() {
  X = Y = Z = 0;
  Buttons.fill(0);
  states_.reset();
  if (!initialized_ || !MayRead()) return;
  platform::TJoystickRaw raw;
  if (!owner_.Platform().ReadJoystick(ID, raw)) return;
  int32_t* axes[kAxes] = {&X, &Y, &Z};
  for (int a = 0; a < kAxes; ++a) {
    *axes[a] = ScaleAxis(raw.position[a], raw.minimum[a], raw.maximum[a], deadZone_[a], range_[a]);
  }
  for (int b = 0; b < kButtons; ++b) {
    if (raw.buttons & (1u << b)) {
      Buttons[b] = kDown;
      states_.set(ksButton1 + b);
    }
  }
  if (X < 0) states_.set(ksLeft);
  if (X > 0) states_.set(ksRight);
  if (Y < 0) states_.set(ksUp);
  if (Y > 0) states_.set(ksDown);
}

void TGameController::Update() {
  states_.reset();
  platform::TControllerState state;
  Connected = initialized_ && MayRead() && owner_.Platform().ReadController(state);
  if (!Connected) state = {};
  South = state.south;
  Start = state.start;
  Back = state.back;
  if (state.up) states_.set(ksUp);
  if (state.down) states_.set(ksDown);
  if (state.left) states_.set(ksLeft);
  if (state.right) states_.set(ksRight);
}

TDXInput::TDXInput(platform::TPlatform& platform)
    : Joystick(*this), Controller(*this), Keyboard(*this), Mouse(*this), platform_(platform) {}

std::array<TCustomInput*, 4> TDXInput::Devices() {
  return {&Joystick, &Controller, &Keyboard, &Mouse};
}

void TDXInput::Initialize() {
  for (TCustomInput* device : Devices()) {
    device->Finalize();
    device->Initialize();
  }
  Update();
}

void TDXInput::Update() {
  TDXInputStates fresh;
  for (TCustomInput* device : Devices()) {
    device->Update();
    if (device->BindInputStates) fresh |= device->States();
  }
  // Only edges change KeyState: a new press adds a state, a release removes it.
  KeyState |= fresh & ~rawStates_;
  KeyState &= ~(rawStates_ & ~fresh);
  rawStates_ = fresh;
}

}  // namespace engine
