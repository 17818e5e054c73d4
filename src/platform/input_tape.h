#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/platform.h"

namespace platform {

// What a game read from outside itself, frame by frame: the events polled, and the answer to
// every other question it asked the platform (the clock, the key table, the pointer, pads,
// focus). A frame is one turn of the message loop: the events up to the poll that found none,
// then whatever the frame asked. Each kind of question keeps its own order within a frame,
// so playing back needs the same questions per kind, not the same interleaving. A frame that
// asks once more than the recording did gets the last answer again; one that asks fewer
// times leaves the rest unread, which is sound only when the questions left out come last in
// the frame (a run that skips drawing leaves out the drawing's, which are the frame's last).
enum class TTapeRead : uint8_t {
  Ticks = 1,
  AppActive,
  Foreground,
  TargetLost,
  RestoreTarget,
  DisplayInitialize,
  RefreshRate,
  Keys,
  Cursor,
  WindowPos,
  Joystick,
  Controller,
  HttpGet,
};
constexpr int kTapeReadKinds = static_cast<int>(TTapeRead::HttpGet) + 1;

class ETapeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One answer of any kind, as the tape holds it.
struct TTapeAnswer {
  int64_t number = 0;  // ticks, flags, refresh rate, success
  TPoint point;
  std::array<uint8_t, 256> keys{};
  TJoystickRaw joystick;
  TControllerState controller;
};

// The tape is kept in columns: one stream of each frame's counts, one of events and one for
// each kind of answer, so that like lies beside like and packs small.
class TTapeWriter {
 public:
  // `afterEvents`: the recording starts after the frame's poll found no more events.
  explicit TTapeWriter(bool afterEvents);

  void BeginFrame();
  void Event(const TEvent& event);
  void Number(TTapeRead kind, int64_t value);
  void Keys(const std::array<uint8_t, 256>& keys);
  void Point(TTapeRead kind, TPoint point);
  void Joystick(bool read, const TJoystickRaw& raw);
  void Controller(bool read, const TControllerState& state);

  // The tape so far, the frame under way included.
  std::vector<uint8_t> Bytes() const;
  int64_t Frames() const { return frames_; }
  // The bytes the tape holds so far.
  size_t Size() const;

 private:
  std::vector<uint8_t>& Column(TTapeRead kind);

  bool afterEvents_;
  int64_t frames_ = 1;
  std::vector<uint8_t> counts_;
  // The frame under way: how many of each column it has added (0: events).
  std::array<uint32_t, kTapeReadKinds> frameCounts_{};
  // 0: events; then one for each kind of answer.
  std::array<std::vector<uint8_t>, kTapeReadKinds> columns_;
  uint32_t lastTicks_ = 0;
  std::array<uint8_t, 256> lastKeys_{};
};

// Reads a tape one frame at a time, so a long or hostile tape never grows memory beyond its
// own bytes. Damage (a column cut short, a value out of range, a frame of too many records)
// raises ETapeError with what was wrong and where.
class TTapeReader {
 public:
  explicit TTapeReader(std::span<const uint8_t> bytes);

  bool AfterEvents() const { return afterEvents_; }
  // Moves to the next frame; false when the tape has no more.
  bool NextFrame();
  bool AtEnd() const { return counts_.AtEnd(); }

  // The frame's next event, if any is left.
  std::optional<TEvent> NextEvent();
  // The frame's next answer of a kind; once they are used up, the last answer of that kind
  // (or a zero one, when it was never asked).
  const TTapeAnswer& Next(TTapeRead kind);

 private:
  // One column and where reading it has got to.
  struct TColumn {
    std::span<const uint8_t> bytes;
    size_t position = 0;
    bool AtEnd() const { return position == bytes.size(); }
  };
  struct TQueue {
    std::vector<TTapeAnswer> answers;
    size_t next = 0;
    TTapeAnswer last;
  };

  [[noreturn]] void Fail(const std::string& what) const;
  uint8_t Byte(TColumn& column);
  uint64_t Varint(TColumn& column);
  int64_t Signed(TColumn& column);
  int32_t Int32(TColumn& column);
  void LoadFrame();
  TEvent ReadEvent();
  void ReadAnswer(TTapeRead kind);

  TColumn counts_;
  std::array<TColumn, kTapeReadKinds> columns_{};
  bool afterEvents_ = false;
  int64_t frame_ = -1;
  uint32_t ticks_ = 0;
  std::array<uint8_t, 256> keys_{};
  std::vector<TEvent> events_;
  size_t nextEvent_ = 0;
  std::array<TQueue, kTapeReadKinds> queues_{};
};

}  // namespace platform
