#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "persist/sha256.h"

namespace persist {

constexpr const char* kReplayExtension = ".perolet-replay";
constexpr uint16_t kReplayFormatVersion = 1;
// Bounds a reader holds every replay to: a file of at most 4 MB unpacking to at most 24 MB (a
// game takes some tens of bytes a frame before packing: hours at any refresh rate).
constexpr size_t kMostReplayFileBytes = 4u << 20;
constexpr size_t kMostReplayStartBytes = 64u << 10;
constexpr size_t kMostReplayTapeBytes = 24u << 20;
constexpr size_t kMostReplayText = 64;
// The most a records server takes of a replay: a game of hours packs into less.
constexpr size_t kMostUploadedReplayBytes = 256u << 10;

// How the recorded game ended.
enum class TReplayEnding : uint8_t {
  GameOver = 0,  // left the game for the menu or the table, by losing or by choice
  Closed = 1,    // the program ended in the middle of the game
  Fault = 2,     // kept when an error stopped a frame: the game so far
};

// What a replay claims: the game's end as it was recorded.
struct TReplayResult {
  std::string Name;     // as typed, code page 1251; empty when the game entered no name
  std::string Country;  // code page 1251
  int32_t Score = 0;
  int32_t Level = 0;
  int32_t Lives = 0;
  uint64_t Frames = 0;
  TReplayEnding Ending = TReplayEnding::GameOver;
  bool operator==(const TReplayResult&) const = default;
};

struct TReplay {
  std::string GameVersion;
  TSha256 Rules{};  // the rules fingerprint of the build that recorded it
  TReplayResult Result;
  std::vector<uint8_t> Start;  // the game's starting state, laid out by the game
  std::vector<uint8_t> Tape;   // what the game read, frame by frame
};

class EReplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// zstd's levels: the smallest file for a game that has ended, a quick one for a fault's.
constexpr int kSmallPackLevel = 19;
constexpr int kQuickPackLevel = 3;

// EReplayError when the replay is beyond the bounds a reader holds it to.
std::vector<uint8_t> EncodeReplay(const TReplay& replay, int packLevel = kSmallPackLevel);
// Every size and count is checked before anything is unpacked; a file that is not a replay,
// of another format version, damaged or beyond the bounds raises EReplayError saying which.
TReplay DecodeReplay(std::span<const uint8_t> bytes);
// Only what the replay claims, without unpacking the game.
TReplayResult DecodeReplayResult(std::span<const uint8_t> bytes);

}  // namespace persist
