#include "platform/input_tape.h"

#include <cstdlib>
#include <limits>

namespace platform {

namespace {

// The layout: a byte that says whether the recording began after the frame's events, then the
// size of each column as a varint (the counts, the events, each kind of answer), then the
// columns one after another. The counts column holds, for each frame, how many events and how
// many answers of each kind the frame added. Numbers are LEB128 varints; signed ones are
// zigzagged, the clock is the difference to its previous reading and the key table lists only
// the keys that changed.
constexpr int kLastEventKind = static_cast<int>(TEventKind::Quit);
constexpr int kVarintBytes = 10;
// A frame asks a few dozen questions; a tape that claims more is damaged, and the cap keeps a
// hostile one from growing the frame's queues. Events pile up while a frame stalls (a window
// dragged, a save written), so they have a cap of their own.
constexpr uint64_t kMostAnswersInFrame = 4096;
constexpr uint64_t kMostEventsInFrame = 65536;
// The bounds of what a platform answers: a pointer on some screen, a refresh rate a display has.
constexpr int32_t kMostPointer = 100000;
constexpr int64_t kLeastRefreshRate = 2;
constexpr int64_t kMostRefreshRate = 1000;

enum : uint8_t {
  kPadRead = 1,
  kPadUp = 2,
  kPadDown = 4,
  kPadLeft = 8,
  kPadRight = 16,
  kPadSouth = 32,
  kPadStart = 64,
  kPadBack = 128,
};

uint8_t PadBits(bool read, const TControllerState& s) {
  return static_cast<uint8_t>((read ? kPadRead : 0) | (s.up ? kPadUp : 0) |
                              (s.down ? kPadDown : 0) | (s.left ? kPadLeft : 0) |
                              (s.right ? kPadRight : 0) | (s.south ? kPadSouth : 0) |
                              (s.start ? kPadStart : 0) | (s.back ? kPadBack : 0));
}

void PutVarint(std::vector<uint8_t>& out, uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<uint8_t>(value | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<uint8_t>(value));
}

void PutSigned(std::vector<uint8_t>& out, int64_t value) {
  PutVarint(out, (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
}

}  // namespace

TTapeWriter::TTapeWriter(bool afterEvents) : afterEvents_(afterEvents) {}

std::vector<uint8_t>& TTapeWriter::Column(TTapeRead kind) {
  ++frameCounts_[static_cast<size_t>(kind)];
  return columns_[static_cast<size_t>(kind)];
}

void TTapeWriter::BeginFrame() {
  for (uint32_t& count : frameCounts_) {
    PutVarint(counts_, count);
    count = 0;
  }
  ++frames_;
}

void TTapeWriter::Event(const TEvent& event) {
  ++frameCounts_[0];
  std::vector<uint8_t>& out = columns_[0];
  out.push_back(static_cast<uint8_t>(event.kind));
  PutSigned(out, event.key);
  PutSigned(out, event.shift);
  PutSigned(out, event.x);
  PutSigned(out, event.y);
  PutSigned(out, event.button);
}

void TTapeWriter::Number(TTapeRead kind, int64_t value) {
  std::vector<uint8_t>& out = Column(kind);
  if (kind == TTapeRead::Ticks) {
    const auto ticks = static_cast<uint32_t>(value);
    PutSigned(out, static_cast<int32_t>(ticks - lastTicks_));
    lastTicks_ = ticks;
    return;
  }
  PutSigned(out, value);
}

void TTapeWriter::Keys(const std::array<uint8_t, 256>& keys) {
  std::vector<uint8_t>& out = Column(TTapeRead::Keys);
  int changed = 0;
  for (size_t i = 0; i < keys.size(); ++i) changed += keys[i] != lastKeys_[i];
  PutVarint(out, static_cast<uint64_t>(changed));
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == lastKeys_[i]) continue;
    out.push_back(static_cast<uint8_t>(i));
    out.push_back(keys[i]);
  }
  lastKeys_ = keys;
}

void TTapeWriter::Point(TTapeRead kind, TPoint point) {
  std::vector<uint8_t>& out = Column(kind);
  PutSigned(out, point.x);
  PutSigned(out, point.y);
}

void TTapeWriter::Joystick(bool read, const TJoystickRaw& raw) {
  std::vector<uint8_t>& out = Column(TTapeRead::Joystick);
  out.push_back(read ? 1 : 0);
  if (!read) return;
  for (int axis = 0; axis < TJoystickRaw::kAxes; ++axis) {
    PutVarint(out, raw.position[axis]);
    PutVarint(out, raw.minimum[axis]);
    PutVarint(out, raw.maximum[axis]);
  }
  PutVarint(out, raw.buttons);
}

void TTapeWriter::Controller(bool read, const TControllerState& state) {
  Column(TTapeRead::Controller).push_back(PadBits(read, state));
}

size_t TTapeWriter::Size() const {
  size_t size = counts_.size();
  for (const auto& column : columns_) size += column.size();
  return size;
}

std::vector<uint8_t> TTapeWriter::Bytes() const {
  std::vector<uint8_t> counts = counts_;
  for (uint32_t count : frameCounts_) PutVarint(counts, count);
  std::vector<uint8_t> out{static_cast<uint8_t>(afterEvents_ ? 1 : 0)};
  PutVarint(out, counts.size());
  for (const auto& column : columns_) PutVarint(out, column.size());
  out.insert(out.end(), counts.begin(), counts.end());
  for (const auto& column : columns_) out.insert(out.end(), column.begin(), column.end());
  return out;
}

TTapeReader::TTapeReader(std::span<const uint8_t> bytes) {
  TColumn head{bytes, 0};
  const uint8_t first = Byte(head);
  if (first > 1) Fail("the tape's first byte is " + std::to_string(first));
  afterEvents_ = first == 1;
  std::array<uint64_t, kTapeReadKinds + 1> sizes{};
  uint64_t total = 0;
  for (uint64_t& size : sizes) {
    size = Varint(head);
    if (size > bytes.size()) Fail("a column claims " + std::to_string(size) + " bytes");
    total += size;
  }
  if (total != head.bytes.size() - head.position)
    Fail("the columns hold " + std::to_string(total) + " bytes, the tape " +
         std::to_string(head.bytes.size() - head.position));
  size_t at = head.position;
  counts_.bytes = bytes.subspan(at, sizes[0]);
  at += sizes[0];
  for (int i = 0; i < kTapeReadKinds; ++i) {
    columns_[i].bytes = bytes.subspan(at, sizes[i + 1]);
    at += sizes[i + 1];
  }
  if (counts_.AtEnd()) Fail("the tape has no frame");
  LoadFrame();
}

void TTapeReader::Fail(const std::string& what) const {
  throw ETapeError("damaged input tape (frame " + std::to_string(frame_) + "): " + what);
}

uint8_t TTapeReader::Byte(TColumn& column) {
  if (column.AtEnd()) Fail("a column is cut short");
  return column.bytes[column.position++];
}

uint64_t TTapeReader::Varint(TColumn& column) {
  uint64_t value = 0;
  for (int i = 0; i < kVarintBytes; ++i) {
    const uint8_t byte = Byte(column);
    value |= static_cast<uint64_t>(byte & 0x7F) << (7 * i);
    if (!(byte & 0x80)) return value;
  }
  Fail("a number runs on too long");
}

int64_t TTapeReader::Signed(TColumn& column) {
  const uint64_t raw = Varint(column);
  return static_cast<int64_t>(raw >> 1) ^ -static_cast<int64_t>(raw & 1);
}

int32_t TTapeReader::Int32(TColumn& column) {
  const int64_t value = Signed(column);
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    Fail("a number out of range");
  return static_cast<int32_t>(value);
}

bool TTapeReader::NextFrame() {
  if (AtEnd()) return false;
  LoadFrame();
  return true;
}

// Takes the frame's counts, then as many events and answers from each column.
void TTapeReader::LoadFrame() {
  ++frame_;
  std::array<uint64_t, kTapeReadKinds> counts{};
  uint64_t answers = 0;
  for (uint64_t& count : counts) count = Varint(counts_);
  if (counts[0] > kMostEventsInFrame)
    Fail("a frame of more than " + std::to_string(kMostEventsInFrame) + " events");
  for (int kind = 1; kind < kTapeReadKinds; ++kind) {
    answers += counts[kind];
    if (counts[kind] > kMostAnswersInFrame || answers > kMostAnswersInFrame)
      Fail("a frame of more than " + std::to_string(kMostAnswersInFrame) + " answers");
  }
  events_.clear();
  nextEvent_ = 0;
  for (uint64_t i = 0; i < counts[0]; ++i) events_.push_back(ReadEvent());
  for (int kind = 1; kind < kTapeReadKinds; ++kind) {
    TQueue& queue = queues_[kind];
    if (!queue.answers.empty()) queue.last = queue.answers.back();
    queue.answers.clear();
    queue.next = 0;
    for (uint64_t i = 0; i < counts[kind]; ++i) ReadAnswer(static_cast<TTapeRead>(kind));
  }
}

TEvent TTapeReader::ReadEvent() {
  TColumn& in = columns_[0];
  TEvent event;
  const uint8_t kind = Byte(in);
  if (kind > kLastEventKind) Fail("an event of unknown kind " + std::to_string(kind));
  event.kind = static_cast<TEventKind>(kind);
  event.key = Int32(in);
  event.shift = Int32(in);
  event.x = Int32(in);
  event.y = Int32(in);
  event.button = Int32(in);
  return event;
}

void TTapeReader::ReadAnswer(TTapeRead kind) {
  TColumn& in = columns_[static_cast<size_t>(kind)];
  TQueue& queue = queues_[static_cast<size_t>(kind)];
  queue.answers.push_back(queue.answers.empty() ? queue.last : queue.answers.back());
  TTapeAnswer& answer = queue.answers.back();
  switch (kind) {
    case TTapeRead::Ticks:
      ticks_ += static_cast<uint32_t>(Int32(in));
      answer.number = ticks_;
      break;
    case TTapeRead::Keys: {
      const uint64_t changed = Varint(in);
      if (changed > keys_.size()) Fail("a key table changes " + std::to_string(changed) + " keys");
      for (uint64_t i = 0; i < changed; ++i) {
        const uint8_t key = Byte(in);
        keys_[key] = Byte(in);
      }
      answer.keys = keys_;
      break;
    }
    case TTapeRead::Cursor:
    case TTapeRead::WindowPos:
      answer.point.x = Int32(in);
      answer.point.y = Int32(in);
      if (std::abs(answer.point.x) > kMostPointer || std::abs(answer.point.y) > kMostPointer)
        Fail("a pointer far off any screen");
      break;
    case TTapeRead::RefreshRate:
      answer.number = Int32(in);
      if (answer.number < kLeastRefreshRate || answer.number > kMostRefreshRate)
        Fail("a refresh rate of " + std::to_string(answer.number));
      break;
    case TTapeRead::Joystick: {
      const uint8_t read = Byte(in);
      if (read > 1) Fail("a joystick reading flag of " + std::to_string(read));
      answer.number = read;
      if (!read) break;
      auto u32 = [this, &in] {
        const uint64_t value = Varint(in);
        if (value > std::numeric_limits<uint32_t>::max()) Fail("a joystick value out of range");
        return static_cast<uint32_t>(value);
      };
      for (int axis = 0; axis < TJoystickRaw::kAxes; ++axis) {
        answer.joystick.position[axis] = u32();
        answer.joystick.minimum[axis] = u32();
        answer.joystick.maximum[axis] = u32();
      }
      answer.joystick.buttons = u32();
      for (int axis = 0; axis < TJoystickRaw::kAxes; ++axis) {
        if (answer.joystick.minimum[axis] > answer.joystick.maximum[axis])
          Fail("a joystick whose range runs backwards");
      }
      break;
    }
    case TTapeRead::Controller: {
      const uint8_t bits = Byte(in);
      answer.number = bits & kPadRead;
      answer.controller = {.up = (bits & kPadUp) != 0,
                           .down = (bits & kPadDown) != 0,
                           .left = (bits & kPadLeft) != 0,
                           .right = (bits & kPadRight) != 0,
                           .south = (bits & kPadSouth) != 0,
                           .start = (bits & kPadStart) != 0,
                           .back = (bits & kPadBack) != 0};
      break;
    }
    default:
      answer.number = Int32(in);
      break;
  }
}

std::optional<TEvent> TTapeReader::NextEvent() {
  if (nextEvent_ >= events_.size()) return std::nullopt;
  return events_[nextEvent_++];
}

const TTapeAnswer& TTapeReader::Next(TTapeRead kind) {
  TQueue& queue = queues_[static_cast<size_t>(kind)];
  if (queue.next < queue.answers.size()) return queue.answers[queue.next++];
  return queue.answers.empty() ? queue.last : queue.answers.back();
}

}  // namespace platform
