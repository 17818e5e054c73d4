#pragma once

#include <array>

#include "xm_writer.h"

// What a section of the game's music is made of: its chords, and the figure each part of
// the backing plays through a bar. music.cpp puts sections together into the two songs.
namespace assetgen::music {

constexpr int kChannels = 8;
constexpr int kRowsPerBar = 16;  // a row is a sixteenth note
constexpr int kBarsPerPattern = 4;
constexpr int kRows = kRowsPerBar * kBarsPerPattern;

enum TChannel { kMelody, kArp, kBassLine, kPadThird, kPadFifth, kDrums, kHats, kEcho };

// A chord: its root as semitones above C (above B: the octave above), and whether it is
// minor.
struct TChord {
  int root;
  bool minor;
  std::array<int, 3> Tones() const { return {root, root + (minor ? 3 : 4), root + 7}; }
  TChord Lifted(int semitones) const { return {root + semitones, minor}; }
};

// The figures, one bar each. Calm ones are the menu's; the rest drive the race.
enum class TBass { Calm, Eighths, Octaves, Syncopated, Walk, Held };
enum class TDrums { None, Calm, Four, Half, Broken, Build };
enum class TArp { None, Calm, Up, Down, Broken };
enum class TPad { None, Held, Stabs };

struct TGroove {
  TBass bass;
  TDrums drums;
  TArp arp;
  TPad pad;
};

void Put(xm::TPattern& p, int row, int channel, uint8_t note, uint8_t instrument, int volume);
// Ends the note sounding on a channel, unless the row already holds something there.
void KeyOff(xm::TPattern& p, int row, int channel);
uint8_t NoteOf(int semitone, int octave);

// Each writes its part's figure into bar `bar` (0..3) of the pattern.
void Bass(xm::TPattern& p, int bar, const TChord& chord, TBass figure);
void Pad(xm::TPattern& p, int bar, const TChord& chord, TPad figure);
void Arpeggio(xm::TPattern& p, int bar, const TChord& chord, TArp figure);
// fill: the bar closing a section, which leads into the next.
void Drums(xm::TPattern& p, int bar, TDrums figure, bool fill);

}  // namespace assetgen::music
