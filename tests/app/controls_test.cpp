#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/vk_codes.h"
#include "support/headless_form_fixture.h"

namespace {

namespace vk = platform::vk;

// With no screen standing the controls are read and nothing acts on them.
struct Controls : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    form->Screens().Replace(nullptr);
    Frame();
  }
  void Pad(bool platform::TControllerState::*button, bool down) {
    platform::TControllerState state;
    state.*button = down;
    platform.SetController(state);
  }
};

// Each control from each device that feeds it: pressed in the frame it goes down only, held
// while it stays down, and nothing else with it but fire where the device also fires.
TEST_F(Controls, EachIsFedByItsKeysThePadAndTheMouse) {
  struct TSource {
    const char* what;
    std::function<void(bool)> hold;
    TControl TControls::*control;
  };
  const TSource sources[] = {
      {"Up", [&](bool d) { d ? platform.KeyDown(vk::kUp) : platform.KeyUp(vk::kUp); },
       &TControls::Up},
      {"pad down", [&](bool d) { Pad(&platform::TControllerState::down, d); }, &TControls::Down},
      {"Left", [&](bool d) { d ? platform.KeyDown(vk::kLeft) : platform.KeyUp(vk::kLeft); },
       &TControls::Left},
      {"pad right", [&](bool d) { Pad(&platform::TControllerState::right, d); }, &TControls::Right},
      {"P", [&](bool d) { d ? platform.KeyDown('P') : platform.KeyUp('P'); }, &TControls::Pause},
      {"Pause", [&](bool d) { d ? platform.KeyDown(vk::kPause) : platform.KeyUp(vk::kPause); },
       &TControls::Pause},
      {"pad Start", [&](bool d) { Pad(&platform::TControllerState::start, d); }, &TControls::Pause},
      {"Y", [&](bool d) { d ? platform.KeyDown('Y') : platform.KeyUp('Y'); }, &TControls::Yes},
      {"N", [&](bool d) { d ? platform.KeyDown('N') : platform.KeyUp('N'); }, &TControls::No},
      {"Escape", [&](bool d) { d ? platform.KeyDown(vk::kEscape) : platform.KeyUp(vk::kEscape); },
       &TControls::Back},
      {"pad Back", [&](bool d) { Pad(&platform::TControllerState::back, d); }, &TControls::Back},
      {"pad south", [&](bool d) { Pad(&platform::TControllerState::south, d); },
       &TControls::Confirm},
      {"Space", [&](bool d) { d ? platform.KeyDown(vk::kSpace) : platform.KeyUp(vk::kSpace); },
       &TControls::Fire},
      {"Ctrl", [&](bool d) { d ? platform.KeyDown(vk::kControl) : platform.KeyUp(vk::kControl); },
       &TControls::Fire},
      {"Enter", [&](bool d) { d ? platform.KeyDown(vk::kReturn) : platform.KeyUp(vk::kReturn); },
       &TControls::Fire},
      {"mouse button", [&](bool d) { d ? platform.PressMouse() : platform.ReleaseMouse(); },
       &TControls::Fire},
  };
  const TControl TControls::*all[] = {
      &TControls::Up,  &TControls::Down, &TControls::Left, &TControls::Right,   &TControls::Pause,
      &TControls::Yes, &TControls::No,   &TControls::Back, &TControls::Confirm, &TControls::Fire,
  };
  for (const TSource& source : sources) {
    SCOPED_TRACE(source.what);
    const bool alsoFires = std::string(source.what) == "pad south";
    source.hold(true);
    Frame();
    for (const TControl TControls::*control : all) {
      const bool fed = control == source.control || (alsoFires && control == &TControls::Fire);
      EXPECT_EQ((form->Controls.*control).Pressed, fed);
      EXPECT_EQ((form->Controls.*control).Held, fed);
    }
    Frame();
    EXPECT_FALSE((form->Controls.*source.control).Pressed) << "pressed for one frame only";
    EXPECT_TRUE((form->Controls.*source.control).Held);
    source.hold(false);
    Frame();
    EXPECT_FALSE((form->Controls.*source.control).Held);
  }
}

}  // namespace
