#include "platform/input_tape.h"

#include <gtest/gtest.h>

namespace {

using platform::ETapeError;
using platform::TTapeRead;
using platform::TTapeReader;
using platform::TTapeWriter;

TEST(InputTape, EachKindAnswersInItsOwnOrderFrameByFrame) {
  TTapeWriter tape(false);
  std::array<uint8_t, 256> keys{};
  keys[37] = 0x80;
  tape.Event({platform::TEventKind::KeyDown, 37, 1});
  tape.Number(TTapeRead::Ticks, 0xFFFFFFF0u);  // the clock wraps between the two readings
  tape.Keys(keys);
  tape.Number(TTapeRead::Ticks, 0x10);
  tape.Point(TTapeRead::Cursor, {-5, 600});
  tape.Controller(true, {.left = true, .south = true});
  tape.BeginFrame();
  keys[37] = 0;
  keys[32] = 0x80;
  tape.Keys(keys);
  tape.Joystick(true, {{1, 2, 3}, {0, 0, 0}, {65535, 65535, 65535}, 5});
  ASSERT_EQ(tape.Frames(), 2);

  TTapeReader reader(tape.Bytes());
  EXPECT_FALSE(reader.AfterEvents());
  ASSERT_TRUE(reader.NextEvent());
  EXPECT_FALSE(reader.NextEvent());
  EXPECT_EQ(reader.Next(TTapeRead::Ticks).number, 0xFFFFFFF0u);
  EXPECT_EQ(reader.Next(TTapeRead::Ticks).number, 0x10);
  EXPECT_EQ(reader.Next(TTapeRead::Ticks).number, 0x10);  // asked once more: the last again
  EXPECT_EQ(reader.Next(TTapeRead::Keys).keys[37], 0x80);
  EXPECT_EQ(reader.Next(TTapeRead::Cursor).point.x, -5);
  EXPECT_TRUE(reader.Next(TTapeRead::Controller).controller.south);
  EXPECT_FALSE(reader.Next(TTapeRead::Controller).controller.up);
  EXPECT_EQ(reader.Next(TTapeRead::AppActive).number, 0);  // never asked: a zero answer

  ASSERT_TRUE(reader.NextFrame());
  const auto& next = reader.Next(TTapeRead::Keys).keys;
  EXPECT_EQ(next[37], 0);
  EXPECT_EQ(next[32], 0x80);
  EXPECT_EQ(reader.Next(TTapeRead::Joystick).joystick.buttons, 5u);
  EXPECT_EQ(reader.Next(TTapeRead::Cursor).point.y, 600);  // carried from the frame before
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.NextFrame());
}

TEST(InputTape, DamageIsRefusedWithWhatWasWrong) {
  const struct {
    std::vector<uint8_t> bytes;
    const char* says;
  } cases[] = {
      {{}, "cut short"},
      {{2}, "first byte"},
      {{0, 0x3F}, "unknown record"},
      {{0, 0x40, 99}, "unknown kind"},
      {{0, 0x01, 0x80}, "cut short"},
      {{0, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, "too long"},
      {{0, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, "out of range"},
      {{0, 0x08, 0x81, 0x02}, "changes 257 keys"},
      {{0, 0x0B, 2}, "flag of 2"},
  };
  for (const auto& c : cases) {
    try {
      TTapeReader reader(c.bytes);
      FAIL() << "accepted: " << c.says;
    } catch (const ETapeError& error) {
      EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
  }
  // A frame of more records than any frame asks for.
  std::vector<uint8_t> flood = {0};
  for (int i = 0; i < 5000; ++i) flood.insert(flood.end(), {0x02, 0x00});
  EXPECT_THROW(TTapeReader{flood}, ETapeError);
}

}  // namespace
