#include "platform/input_tape.h"

#include <limits>

namespace platform {

namespace {

// The tape is a run of records, each led by a tag byte: a frame mark, an event, or one answer
// (the tag is the TTapeRead). Numbers are LEB128 varints; signed ones are zigzagged, the clock
// is the difference to its previous reading and the key table lists only the changed keys.
constexpr uint8_t kFrameTag = 0;
constexpr uint8_t kEventTag = 0x40;
constexpr int kLastEventKind = static_cast<int>(TEventKind::Quit);
constexpr int kVarintBytes = 10;
// A frame asks a few dozen questions; a tape that claims more is damaged, and the cap keeps a
// hostile one from growing the frame's queues.
constexpr int kMostRecordsInFrame = 4096;

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

}  // namespace

TTapeWriter::TTapeWriter(bool afterEvents) {
  bytes_.push_back(afterEvents ? 1 : 0);
}

void TTapeWriter::Varint(uint64_t value) {
  while (value >= 0x80) {
    bytes_.push_back(static_cast<uint8_t>(value | 0x80));
    value >>= 7;
  }
  bytes_.push_back(static_cast<uint8_t>(value));
}

void TTapeWriter::Signed(int64_t value) {
  Varint((static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
}

void TTapeWriter::BeginFrame() {
  bytes_.push_back(kFrameTag);
  ++frames_;
}

void TTapeWriter::Event(const TEvent& event) {
  bytes_.push_back(kEventTag);
  bytes_.push_back(static_cast<uint8_t>(event.kind));
  Signed(event.key);
  Signed(event.shift);
  Signed(event.x);
  Signed(event.y);
  Signed(event.button);
}

void TTapeWriter::Number(TTapeRead kind, int64_t value) {
  bytes_.push_back(static_cast<uint8_t>(kind));
  if (kind == TTapeRead::Ticks) {
    const auto ticks = static_cast<uint32_t>(value);
    Signed(static_cast<int32_t>(ticks - lastTicks_));
    lastTicks_ = ticks;
    return;
  }
  Signed(value);
}

void TTapeWriter::Keys(const std::array<uint8_t, 256>& keys) {
  bytes_.push_back(static_cast<uint8_t>(TTapeRead::Keys));
  int changed = 0;
  for (size_t i = 0; i < keys.size(); ++i) changed += keys[i] != lastKeys_[i];
  Varint(static_cast<uint64_t>(changed));
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == lastKeys_[i]) continue;
    bytes_.push_back(static_cast<uint8_t>(i));
    bytes_.push_back(keys[i]);
  }
  lastKeys_ = keys;
}

void TTapeWriter::Point(TTapeRead kind, TPoint point) {
  bytes_.push_back(static_cast<uint8_t>(kind));
  Signed(point.x);
  Signed(point.y);
}

void TTapeWriter::Joystick(bool read, const TJoystickRaw& raw) {
  bytes_.push_back(static_cast<uint8_t>(TTapeRead::Joystick));
  bytes_.push_back(read ? 1 : 0);
  if (!read) return;
  for (int axis = 0; axis < TJoystickRaw::kAxes; ++axis) {
    Varint(raw.position[axis]);
    Varint(raw.minimum[axis]);
    Varint(raw.maximum[axis]);
  }
  Varint(raw.buttons);
}

void TTapeWriter::Controller(bool read, const TControllerState& state) {
  bytes_.push_back(static_cast<uint8_t>(TTapeRead::Controller));
  bytes_.push_back(PadBits(read, state));
}

TTapeReader::TTapeReader(std::span<const uint8_t> bytes) : bytes_(bytes) {
  const uint8_t first = Byte();
  if (first > 1) Fail("the tape's first byte is " + std::to_string(first));
  afterEvents_ = first == 1;
  frame_ = -1;
  NextFrameFromHere();
}

void TTapeReader::Fail(const std::string& what) const {
  throw ETapeError("damaged input tape at byte " + std::to_string(position_) + " (frame " +
                   std::to_string(frame_) + "): " + what);
}

uint8_t TTapeReader::Byte() {
  if (position_ >= bytes_.size()) Fail("a record is cut short");
  return bytes_[position_++];
}

uint64_t TTapeReader::Varint() {
  uint64_t value = 0;
  for (int i = 0; i < kVarintBytes; ++i) {
    const uint8_t byte = Byte();
    value |= static_cast<uint64_t>(byte & 0x7F) << (7 * i);
    if (!(byte & 0x80)) return value;
  }
  Fail("a number runs on too long");
}

int64_t TTapeReader::Signed() {
  const uint64_t raw = Varint();
  return static_cast<int64_t>(raw >> 1) ^ -static_cast<int64_t>(raw & 1);
}

int32_t TTapeReader::Int32() {
  const int64_t value = Signed();
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    Fail("a number out of range");
  return static_cast<int32_t>(value);
}

bool TTapeReader::NextFrame() {
  if (AtEnd()) return false;
  if (bytes_[position_] != kFrameTag) Fail("a frame does not begin with its mark");
  ++position_;
  NextFrameFromHere();
  return true;
}

// Decodes the records up to the next frame mark (left for NextFrame) or the tape's end.
void TTapeReader::NextFrameFromHere() {
  ++frame_;
  events_.clear();
  nextEvent_ = 0;
  for (TQueue& queue : queues_) {
    if (!queue.answers.empty()) queue.last = queue.answers.back();
    queue.answers.clear();
    queue.next = 0;
  }
  for (int records = 0; !AtEnd() && bytes_[position_] != kFrameTag; ++records) {
    if (records == kMostRecordsInFrame)
      Fail("a frame of more than " + std::to_string(kMostRecordsInFrame) + " records");
    ReadRecord(Byte());
  }
}

TEvent TTapeReader::ReadEvent() {
  TEvent event;
  const uint8_t kind = Byte();
  if (kind > kLastEventKind) Fail("an event of unknown kind " + std::to_string(kind));
  event.kind = static_cast<TEventKind>(kind);
  event.key = Int32();
  event.shift = Int32();
  event.x = Int32();
  event.y = Int32();
  event.button = Int32();
  return event;
}

TTapeAnswer& TTapeReader::Push(TTapeRead kind) {
  TQueue& queue = queues_[static_cast<size_t>(kind)];
  queue.answers.push_back(queue.answers.empty() ? queue.last : queue.answers.back());
  return queue.answers.back();
}

void TTapeReader::ReadRecord(uint8_t tag) {
  if (tag == kEventTag) {
    events_.push_back(ReadEvent());
    return;
  }
  if (tag == 0 || tag >= kTapeReadKinds) Fail("an unknown record " + std::to_string(tag));
  const auto kind = static_cast<TTapeRead>(tag);
  TTapeAnswer& answer = Push(kind);
  switch (kind) {
    case TTapeRead::Ticks:
      ticks_ += static_cast<uint32_t>(Int32());
      answer.number = ticks_;
      break;
    case TTapeRead::Keys: {
      const uint64_t changed = Varint();
      if (changed > keys_.size()) Fail("a key table changes " + std::to_string(changed) + " keys");
      for (uint64_t i = 0; i < changed; ++i) {
        const uint8_t key = Byte();
        keys_[key] = Byte();
      }
      answer.keys = keys_;
      break;
    }
    case TTapeRead::Cursor:
    case TTapeRead::WindowPos:
      answer.point.x = Int32();
      answer.point.y = Int32();
      break;
    case TTapeRead::Joystick: {
      const uint8_t read = Byte();
      if (read > 1) Fail("a joystick reading flag of " + std::to_string(read));
      answer.number = read;
      if (!read) break;
      auto u32 = [this] {
        const uint64_t value = Varint();
        if (value > std::numeric_limits<uint32_t>::max()) Fail("a joystick value out of range");
        return static_cast<uint32_t>(value);
      };
      for (int axis = 0; axis < TJoystickRaw::kAxes; ++axis) {
        answer.joystick.position[axis] = u32();
        answer.joystick.minimum[axis] = u32();
        answer.joystick.maximum[axis] = u32();
      }
      answer.joystick.buttons = u32();
      break;
    }
    case TTapeRead::Controller: {
      const uint8_t bits = Byte();
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
      answer.number = Int32();
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
