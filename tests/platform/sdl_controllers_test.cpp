#include <gtest/gtest.h>

#include "platform/sdl/sdl_controllers.h"

namespace {

// SDL's virtual devices stand in for hardware: plugged in and pulled out as a player would.
struct SdlControllers : ::testing::Test {
  platform::TSdlControllers controllers;

  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    ASSERT_TRUE(controllers.Start());
  }
  void TearDown() override {
    for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
      if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
    }
    Pump();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  void Pump() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) controllers.HandleDeviceEvent(event);
  }
  static int Attach(SDL_JoystickType type, const char* name) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = static_cast<Uint16>(type);
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    return SDL_JoystickAttachVirtualEx(&desc);
  }
  static SDL_Joystick* Device(int index) {
    return SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
  }
};

TEST_F(SdlControllers, AKnownPadGivesDirectionsFromPadOrStickAndItsThreeButtons) {
  const int index = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, "test pad");
  ASSERT_GE(index, 0) << SDL_GetError();
  platform::TControllerState state;
  EXPECT_FALSE(controllers.Read(state));  // not picked up until its plug-in event
  Pump();
  ASSERT_TRUE(controllers.Read(state));
  EXPECT_FALSE(state.up || state.down || state.left || state.right || state.south);
  EXPECT_EQ(controllers.Joystick(), nullptr);  // read as a controller, not as the joystick

  SDL_Joystick* pad = Device(index);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 30000);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 1);
  ASSERT_TRUE(controllers.Read(state));
  EXPECT_TRUE(state.up);
  EXPECT_TRUE(state.right);
  EXPECT_FALSE(state.left || state.down);
  EXPECT_TRUE(state.south);
  EXPECT_TRUE(state.start);
  EXPECT_FALSE(state.back);

  // A stick just short of half its travel is no direction.
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -16000);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
  ASSERT_TRUE(controllers.Read(state));
  EXPECT_FALSE(state.up || state.right);
  EXPECT_TRUE(state.back);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -20000);
  ASSERT_TRUE(controllers.Read(state));
  EXPECT_TRUE(state.up);
}

TEST_F(SdlControllers, PulledOutItIsDroppedAndTheNextDeviceTakesOver) {
  const int first = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, "first pad");
  const int second = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, "second pad");
  ASSERT_GE(second, 0);
  Pump();
  platform::TControllerState state;
  ASSERT_TRUE(controllers.Read(state));
  // One device at a time: the second pad's buttons mean nothing while the first is in use.
  SDL_Joystick* other = SDL_JoystickOpen(second);
  SDL_JoystickSetVirtualButton(other, SDL_CONTROLLER_BUTTON_A, 1);
  ASSERT_TRUE(controllers.Read(state));
  EXPECT_FALSE(state.south);

  ASSERT_EQ(SDL_JoystickDetachVirtual(first), 0);
  Pump();
  ASSERT_TRUE(controllers.Read(state));
  EXPECT_TRUE(state.south);  // now the second one is read
  SDL_JoystickClose(other);
  ASSERT_EQ(SDL_JoystickDetachVirtual(0), 0);
  Pump();
  EXPECT_FALSE(controllers.Read(state));
  EXPECT_FALSE(controllers.HasDevice());
}

TEST_F(SdlControllers, ADeviceOfUnknownLayoutIsLeftToTheJoystick) {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_FLIGHT_STICK;
  desc.naxes = 3;
  desc.nbuttons = 4;
  desc.name = "test stick";
  ASSERT_GE(SDL_JoystickAttachVirtualEx(&desc), 0);
  Pump();
  platform::TControllerState state;
  EXPECT_FALSE(controllers.Read(state));
  EXPECT_NE(controllers.Joystick(), nullptr);
}

}  // namespace
