#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/input_states.h"

namespace platform {
class TPlatform;
}

namespace engine {

class TDXInput;

// One input device; its states are merged into the component's when BindInputStates is set.
class TCustomInput {
 public:
  explicit TCustomInput(TDXInput& owner) : owner_(owner) {}
  virtual ~TCustomInput() = default;

  bool BindInputStates = true;
  bool Enabled = true;
  bool ForceFeedback = false;

  const TDXInputStates& States() const { return states_; }
  bool Initialized() const { return initialized_; }

  virtual void Initialize() { initialized_ = Enabled; }
  void Finalize() { initialized_ = false; }
  virtual void Update() = 0;

 protected:
  // With ActiveOnly, a device in a window that is not in the foreground reports nothing.
  bool MayRead() const;

  TDXInput& owner_;
  TDXInputStates states_;
  bool initialized_ = false;
};

class TKeyboard final : public TCustomInput {
 public:
  static constexpr int kSlots = 3;
  static constexpr int kAssignCount = kInputStateCount * kSlots;
  static constexpr size_t kAssignsBytes = kAssignCount * sizeof(int32_t);  // 432

  explicit TKeyboard(TDXInput& owner);

  // State-major: the entry of a state's slot is state × 3 + slot.
  std::array<int32_t, kAssignCount> Assigns{};
  std::array<uint8_t, 256> Keys{};  // bit 7: down

  void Assign(int state, int slot, int32_t code) { Assigns[state * kSlots + slot] = code; }
  // The stored form of the table: 36 × 3 little-endian signed 32-bit codes.
  void LoadAssigns(std::span<const uint8_t> bytes);
  std::vector<uint8_t> SaveAssigns() const;

  bool KeyPressed(int32_t code) const;
  void Update() override;
};

class TJoystick final : public TCustomInput {
 public:
  static constexpr int kAxes = 3;
  static constexpr int kButtons = 32;

  explicit TJoystick(TDXInput& owner) : TCustomInput(owner) {}

  bool AutoCenter = true;
  int ID = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Z = 0;
  std::array<uint8_t, kButtons> Buttons{};  // bit 7: pressed

  int DeadZone(int axis) const { return deadZone_[axis]; }
  void SetDeadZone(int axis, int percent);
  int Range(int axis) const { return range_[axis]; }
  void SetRange(int axis, int range);

  // The basic joystick's raw position scaled to -range..range with the dead zone cut out.
  static int32_t ScaleAxis(uint32_t raw, uint32_t minimum, uint32_t maximum, int deadZone,
                           int range);
  void Update() override;

 private:
  std::array<int, kAxes> deadZone_{};
  std::array<int, kAxes> range_{};
};

// A game controller of known layout: its directions join the other devices' states; its
// buttons are read by the owner, who gives them their meaning.
class TGameController final : public TCustomInput {
 public:
  explicit TGameController(TDXInput& owner) : TCustomInput(owner) {}

  bool Connected = false;
  bool South = false;
  bool Start = false;
  bool Back = false;

  void Update() override;
};

// The mouse device exists for completeness; the game leaves it disabled and takes the mouse
// from window events instead.
class TMouse final : public TCustomInput {
 public:
  explicit TMouse(TDXInput& owner) : TCustomInput(owner) {
    BindInputStates = false;
    Enabled = false;
  }
  void Update() override { states_.reset(); }
};

// The input component: reads the devices once a frame and turns their states into edges, so
// a state the game removes stays removed until its key is released and pressed again.
class TDXInput {
 public:
  explicit TDXInput(platform::TPlatform& platform);

  bool ActiveOnly = true;
  bool UseDirectInput = true;
  TJoystick Joystick;
  TGameController Controller;
  TKeyboard Keyboard;
  TMouse Mouse;

  TDXInputStates KeyState;
  const TDXInputStates& RawStates() const { return rawStates_; }
  // The states as they stood between two frames (a replay's start): the devices read so.
  void RestoreStates(const TDXInputStates& states) {
    KeyState = states;
    rawStates_ = states;
  }

  void Initialize();
  void Update();

  platform::TPlatform& Platform() const { return platform_; }

 private:
  std::array<TCustomInput*, 4> Devices();

  platform::TPlatform& platform_;
  TDXInputStates rawStates_;
};

}  // namespace engine
