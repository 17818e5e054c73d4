#include "platform/sdl/sdl_controllers.h"

#include <filesystem>

namespace platform {

namespace {

// A stick pushed past half its travel counts as a direction.
constexpr Sint16 kStickThreshold = 16384;

bool Pressed(SDL_GameController* pad, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(pad, button) != 0;
}

}  // namespace

TSdlControllers::~TSdlControllers() {
  Close();
}

bool TSdlControllers::Start() {
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  return started_;
}

void TSdlControllers::LoadMappings(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  // A file SDL cannot read leaves the built-in layouts; nothing else depends on it.
  SDL_GameControllerAddMappingsFromFile(path.c_str());
}

bool TSdlControllers::HandleDeviceEvent(const SDL_Event& event) {
  if (!started_) return false;
  if (event.type == SDL_JOYDEVICEADDED) {
    if (!joystick_) OpenDevice(event.jdevice.which);
    return true;
  }
  if (event.type == SDL_JOYDEVICEREMOVED) {
    if (joystick_ && event.jdevice.which == instance_) {
      Close();
      OpenFirstDevice();
    }
    return true;
  }
  return false;
}

void TSdlControllers::OpenDevice(int index) {
  if (SDL_IsGameController(index)) {
    controller_ = SDL_GameControllerOpen(index);
    joystick_ = controller_ ? SDL_GameControllerGetJoystick(controller_) : nullptr;
  }
  if (!joystick_) joystick_ = SDL_JoystickOpen(index);
  instance_ = joystick_ ? SDL_JoystickInstanceID(joystick_) : -1;
}

void TSdlControllers::OpenFirstDevice() {
  for (int index = 0; index < SDL_NumJoysticks() && !joystick_; ++index) OpenDevice(index);
}

void TSdlControllers::Close() {
  if (controller_) {
    SDL_GameControllerClose(controller_);  // closes its joystick too
  } else if (joystick_) {
    SDL_JoystickClose(joystick_);
  }
  controller_ = nullptr;
  joystick_ = nullptr;
  instance_ = -1;
}

bool TSdlControllers::Read(TControllerState& state) const {
  if (!controller_ || !SDL_GameControllerGetAttached(controller_)) return false;
  SDL_GameControllerUpdate();
  const Sint16 x = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
  const Sint16 y = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
  state.up = Pressed(controller_, SDL_CONTROLLER_BUTTON_DPAD_UP) || y <= -kStickThreshold;
  state.down = Pressed(controller_, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y >= kStickThreshold;
  state.left = Pressed(controller_, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x <= -kStickThreshold;
  state.right = Pressed(controller_, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x >= kStickThreshold;
  state.south = Pressed(controller_, SDL_CONTROLLER_BUTTON_A);
  state.start = Pressed(controller_, SDL_CONTROLLER_BUTTON_START);
  state.back = Pressed(controller_, SDL_CONTROLLER_BUTTON_BACK);
  return true;
}

}  // namespace platform
