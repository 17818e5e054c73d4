#include "platform/input_tape.h"

#include <gtest/gtest.h>

#include <map>

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

  const std::vector<uint8_t> bytes = tape.Bytes();
  TTapeReader reader(bytes);
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

// A tape laid out by hand: its counts column, then the events' and each answer kind's
// (Ticks is column 1 of `answers`); each column's size is a single byte here.
std::vector<uint8_t> Tape(std::vector<uint8_t> counts, std::vector<uint8_t> events,
                          std::map<int, std::vector<uint8_t>> answers = {}) {
  std::vector<std::vector<uint8_t>> columns = {counts, events};
  for (int kind = 1; kind < platform::kTapeReadKinds; ++kind) columns.push_back(answers[kind]);
  std::vector<uint8_t> bytes = {0};
  for (const auto& column : columns) bytes.push_back(static_cast<uint8_t>(column.size()));
  for (const auto& column : columns) bytes.insert(bytes.end(), column.begin(), column.end());
  return bytes;
}

// One frame's counts: `events` events and one answer of `kind`.
std::vector<uint8_t> OneFrame(int events, int kind) {
  std::vector<uint8_t> counts(platform::kTapeReadKinds, 0);
  counts[0] = static_cast<uint8_t>(events);
  if (kind > 0) counts[kind] = 1;
  return counts;
}

TEST(InputTape, DamageIsRefusedWithWhatWasWrong) {
  const int ticks = static_cast<int>(TTapeRead::Ticks);
  const int keys = static_cast<int>(TTapeRead::Keys);
  const int joystick = static_cast<int>(TTapeRead::Joystick);
  const int cursor = static_cast<int>(TTapeRead::Cursor);
  const int rate = static_cast<int>(TTapeRead::RefreshRate);
  std::vector<uint8_t> oversized = Tape(OneFrame(0, 0), {});
  oversized[2] = 100;
  std::vector<uint8_t> flood(platform::kTapeReadKinds, 0);
  flood[1] = 0x88;  // 5000 answers of the clock, as a varint
  flood.insert(flood.begin() + 2, 0x27);
  const struct {
    std::vector<uint8_t> bytes;
    const char* says;
  } cases[] = {
      {{}, "cut short"},
      {{2}, "first byte"},
      {oversized, "claims 100 bytes"},
      {[] {
         auto b = Tape(OneFrame(0, 0), {});
         b.push_back(0);
         return b;
       }(),
       "the columns hold"},
      {Tape({}, {}), "no frame"},
      {Tape(OneFrame(1, 0), {99, 0, 0, 0, 0, 0}), "unknown kind"},
      {Tape(OneFrame(0, ticks), {}, {{ticks, {0x80}}}), "cut short"},
      {Tape(OneFrame(0, ticks), {}, {{ticks, std::vector<uint8_t>(11, 0xFF)}}), "too long"},
      {Tape(OneFrame(0, ticks), {}, {{ticks, {0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}}), "out of range"},
      {Tape(OneFrame(0, keys), {}, {{keys, {0x81, 0x02}}}), "changes 257 keys"},
      {Tape(OneFrame(0, joystick), {}, {{joystick, {2}}}), "flag of 2"},
      {Tape(OneFrame(0, joystick), {}, {{joystick, {1, 0, 9, 1, 0, 0, 0, 0, 0, 0, 0}}}),
       "runs backwards"},
      {Tape(OneFrame(0, cursor), {}, {{cursor, {0xC2, 0x9A, 0x0C, 0}}}), "far off any screen"},
      {Tape(OneFrame(0, rate), {}, {{rate, {0}}}), "refresh rate of 0"},
      {Tape(flood, {}), "more than 4096 answers"},
  };
  for (const auto& c : cases) {
    try {
      TTapeReader reader(c.bytes);
      FAIL() << "accepted: " << c.says;
    } catch (const ETapeError& error) {
      EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
  }
}

}  // namespace
