#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A module in the published XM layout (version 0x0104): header and order table, packed
// patterns, instruments with one 16-bit sample each and an optional volume envelope.
namespace assetgen::xm {

constexpr uint8_t kKeyOff = 97;
// Note numbers: 1 is C-0, so C-4 is 49.
constexpr uint8_t Note(int octave, int semitone) {
  return static_cast<uint8_t>(octave * 12 + semitone + 1);
}
// The volume column's "set volume" command for 0..64.
constexpr uint8_t Volume(int v) {
  return static_cast<uint8_t>(0x10 + v);
}

struct TCell {
  uint8_t note = 0;
  uint8_t instrument = 0;
  uint8_t volume = 0;
  uint8_t effect = 0;
  uint8_t param = 0;
  bool Empty() const { return !note && !instrument && !volume && !effect && !param; }
};

struct TPattern {
  int rows = 64;
  std::vector<TCell> cells;  // rows × channels, row by row
  TPattern(int rowCount, int channels)
      : rows(rowCount), cells(static_cast<size_t>(rowCount) * channels) {}
  TCell& At(int row, int channel, int channels) {
    return cells[static_cast<size_t>(row) * channels + channel];
  }
};

struct TEnvelopePoint {
  uint16_t tick;
  uint16_t value;  // 0..64
};

struct TInstrument {
  std::string name;
  std::vector<int16_t> sample;
  uint32_t loopStart = 0;
  uint32_t loopLength = 0;  // in samples; 0: plays once
  uint8_t volume = 64;
  int8_t relativeNote = 0;
  int8_t finetune = 0;
  std::vector<TEnvelopePoint> envelope;  // empty: none
  int sustainPoint = -1;
  uint16_t fadeout = 0;
};

struct TModule {
  std::string name;
  int channels = 8;
  int tempo = 6;  // ticks a row
  int bpm = 125;
  int restart = 0;
  std::vector<uint8_t> order;
  std::vector<TPattern> patterns;
  std::vector<TInstrument> instruments;
};

std::vector<uint8_t> Write(const TModule& module);

}  // namespace assetgen::xm
