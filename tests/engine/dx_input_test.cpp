#include "engine/dx_input.h"

#include <gtest/gtest.h>

#include "engine/engine_error.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"

namespace {

using engine::ksButton;
using engine::TJoystick;

struct InputFixture : ::testing::Test {
  platform::THeadlessPlatform platform;
  engine::TDXInput input{platform};

  void SetUp() override {
    input.Keyboard.Assigns.fill(0);
    input.Keyboard.Assign(engine::ksUp, 0, platform::vk::kUp);
    input.Keyboard.Assign(ksButton(6), 0, 'P');
    for (int axis = 0; axis < TJoystick::kAxes; ++axis) {
      input.Joystick.SetDeadZone(axis, 50);
      input.Joystick.SetRange(axis, 1000);
    }
    input.Initialize();
  }

  static platform::TJoystickRaw Stick(double xTravel, double yTravel, uint32_t buttons = 0) {
    platform::TJoystickRaw raw;
    const auto at = [](double travel) { return static_cast<uint32_t>(32767.5 + travel * 32767.5); };
    raw.position = {at(xTravel), at(yTravel), at(0)};
    raw.maximum = {65535, 65535, 65535};
    raw.buttons = buttons;
    return raw;
  }
};

TEST_F(InputFixture, HeldKeyStaysDownAndARemovedStateWaitsForANewPress) {
  platform.KeyDown(platform::vk::kUp);
  for (int frame = 0; frame < 3; ++frame) {
    input.Update();
    EXPECT_TRUE(input.KeyState.test(engine::ksUp)) << "frame " << frame;
  }
  input.KeyState.reset(engine::ksUp);
  input.Update();
  EXPECT_FALSE(input.KeyState.test(engine::ksUp));
  platform.KeyUp(platform::vk::kUp);
  input.Update();
  EXPECT_FALSE(input.KeyState.test(engine::ksUp));
  platform.KeyDown(platform::vk::kUp);
  input.Update();
  EXPECT_TRUE(input.KeyState.test(engine::ksUp));
}

TEST_F(InputFixture, BackgroundWindowReportsNothing) {
  platform.KeyDown('P');
  platform.SetJoystick(Stick(1.0, 0, 1));
  platform.SetForeground(false);
  input.Update();
  EXPECT_TRUE(input.RawStates().none());
  EXPECT_FALSE(input.Keyboard.KeyPressed('P'));
  EXPECT_EQ(input.Joystick.X, 0);
  input.ActiveOnly = false;
  input.Update();
  EXPECT_TRUE(input.KeyState.test(ksButton(6)));
  EXPECT_TRUE(input.KeyState.test(engine::ksRight));
}

TEST_F(InputFixture, CodesOutsideOneTo255NeverMatch) {
  input.Keyboard.Assign(ksButton(1), 0, 0);
  input.Keyboard.Assign(ksButton(2), 0, 256);
  input.Keyboard.Assign(ksButton(3), 0, -1);
  input.Keyboard.Assign(ksButton(3), 2, 'Q');  // a later slot still counts
  for (int code = 1; code < 256; ++code) platform.KeyDown(code);
  input.Update();
  EXPECT_FALSE(input.KeyState.test(ksButton(1)));
  EXPECT_FALSE(input.KeyState.test(ksButton(2)));
  EXPECT_TRUE(input.KeyState.test(ksButton(3)));
  EXPECT_FALSE(input.Keyboard.KeyPressed(0));
  EXPECT_FALSE(input.Keyboard.KeyPressed(256));
}

TEST_F(InputFixture, AssignsAreStoredStateMajorAsLittleEndianCodes) {
  input.Keyboard.Assign(ksButton(1), 2, 0x01020304);
  const std::vector<uint8_t> bytes = input.Keyboard.SaveAssigns();
  ASSERT_EQ(bytes.size(), 432u);
  const size_t at = (ksButton(1) * 3 + 2) * 4;
  EXPECT_EQ(bytes[at], 0x04);
  EXPECT_EQ(bytes[at + 3], 0x01);
  EXPECT_EQ(bytes[engine::ksUp * 12], platform::vk::kUp);

  engine::TDXInput other{platform};
  other.Keyboard.LoadAssigns(bytes);
  EXPECT_EQ(other.Keyboard.Assigns, input.Keyboard.Assigns);
  EXPECT_THROW(other.Keyboard.LoadAssigns(std::span(bytes).first(431)), engine::EDXInputError);
}

TEST_F(InputFixture, JoystickDeadZoneCutsTheFirstHalfOfTheTravel) {
  platform.SetJoystick(Stick(0.4, -0.4));
  input.Update();
  EXPECT_EQ(input.Joystick.X, 0);
  EXPECT_EQ(input.Joystick.Y, 0);
  EXPECT_FALSE(input.RawStates().test(engine::ksRight));
  EXPECT_FALSE(input.RawStates().test(engine::ksUp));

  platform.SetJoystick(Stick(1.0, -1.0, 0b101));
  input.Update();
  EXPECT_EQ(input.Joystick.X, 1000);
  EXPECT_EQ(input.Joystick.Y, -1000);
  EXPECT_TRUE(input.KeyState.test(engine::ksRight));
  EXPECT_TRUE(input.KeyState.test(engine::ksUp));
  EXPECT_TRUE(input.KeyState.test(ksButton(1)));
  EXPECT_FALSE(input.KeyState.test(ksButton(2)));
  EXPECT_TRUE(input.KeyState.test(ksButton(3)));
}

TEST(JoystickScale, FollowsTheFallbackFormula) {
  struct Case {
    uint32_t raw;
    int deadZone;
    int range;
    int32_t expected;
  };
  // half = 32767; with dead zone 50, dz = live = 16383.5.
  const Case cases[] = {
      {32767, 50, 1000, 0}, {49150, 50, 1000, 0},    {49151, 50, 1000, 0},  {49152, 50, 1000, 0},
      {49160, 50, 1000, 1}, {65535, 50, 1000, 1000}, {0, 50, 1000, -1000},  {57343, 50, 1000, 500},
      {32767, 0, 1000, 0},  {65535, 0, 1000, 1000},  {65535, 100, 1000, 0}, {40959, 0, 100, 25},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TJoystick::ScaleAxis(c.raw, 0, 65535, c.deadZone, c.range), c.expected)
        << "raw " << c.raw << " dead zone " << c.deadZone;
  }
}

TEST(JoystickSettings, DeadZoneAndRangeAreClamped) {
  platform::THeadlessPlatform platform;
  engine::TDXInput input{platform};
  input.Joystick.SetDeadZone(0, 150);
  input.Joystick.SetDeadZone(1, -3);
  input.Joystick.SetRange(2, -10);
  EXPECT_EQ(input.Joystick.DeadZone(0), 100);
  EXPECT_EQ(input.Joystick.DeadZone(1), 0);
  EXPECT_EQ(input.Joystick.Range(2), 0);
}

}  // namespace
