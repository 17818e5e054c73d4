#pragma once

#include <SDL.h>

#include <string>

#include "platform/platform.h"

namespace platform {

// One input device at a time, picked up when it is plugged in and dropped when it is pulled
// out: a game controller where SDL knows its layout, the raw joystick otherwise.
class TSdlControllers {
 public:
  TSdlControllers() = default;
  ~TSdlControllers();
  TSdlControllers(const TSdlControllers&) = delete;
  TSdlControllers& operator=(const TSdlControllers&) = delete;

  // Starts SDL's controller layer; false when there is none (no device will ever open).
  bool Start();
  // Layouts from a file in SDL's mapping format, when it exists.
  static void LoadMappings(const std::string& path);

  // A device plugged in or pulled out; other events are left alone. True when it was one.
  bool HandleDeviceEvent(const SDL_Event& event);
  bool Read(TControllerState& state) const;
  // The device of unknown layout, when that is the one in use.
  SDL_Joystick* Joystick() const { return controller_ ? nullptr : joystick_; }
  bool HasDevice() const { return joystick_ != nullptr; }

 private:
  void OpenDevice(int index);
  void OpenFirstDevice();
  void Close();

  bool started_ = false;
  SDL_GameController* controller_ = nullptr;
  SDL_Joystick* joystick_ = nullptr;  // the controller's own joystick, or the raw one
  SDL_JoystickID instance_ = -1;
};

}  // namespace platform
