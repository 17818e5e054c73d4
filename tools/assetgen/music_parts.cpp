#include "music_parts.h"

#include "music_instruments.h"

namespace assetgen::music {

namespace {

constexpr uint8_t kDrumNote = xm::Note(4, 0);

int FirstRow(int bar) {
  return bar * kRowsPerBar;
}

void BassNote(xm::TPattern& p, int row, int semitone, int octave, int volume) {
  Put(p, row, kBassLine, NoteOf(semitone, octave), kBass, volume);
}

// Root, fifth and octave in a three-three-two rhythm, the third to lead on.
void SyncopatedBass(xm::TPattern& p, int start, const TChord& chord) {
  const auto tones = chord.Tones();
  const int rows[] = {0, 3, 6, 8, 11, 14};
  const int notes[] = {tones[0], tones[0], tones[2], tones[0] + 12, tones[2], tones[1]};
  for (int i = 0; i < 6; ++i) BassNote(p, start + rows[i], notes[i], 2, rows[i] % 8 == 0 ? 50 : 44);
}

// Quarter notes up the chord, each let go before the next.
void WalkingBass(xm::TPattern& p, int start, const TChord& chord) {
  const auto tones = chord.Tones();
  const int notes[] = {tones[0], tones[1], tones[2], tones[0] + 12};
  for (int beat = 0; beat < 4; ++beat) {
    BassNote(p, start + beat * 4, notes[beat], 2, beat == 0 ? 50 : 42);
    KeyOff(p, start + beat * 4 + 3, kBassLine);
  }
}

void Kick(xm::TPattern& p, int row) {
  Put(p, row, kDrums, kDrumNote, kKick, 60);
}

void Snare(xm::TPattern& p, int row, int volume) {
  Put(p, row, kDrums, kDrumNote, kSnare, volume);
}

void Hat(xm::TPattern& p, int row, int volume) {
  Put(p, row, kHats, kDrumNote, kHat, volume);
}

// The menu's and the race's first beats: a kick, two snares, hats on the beat or between.
void PlainDrums(xm::TPattern& p, int start, bool driving, bool fill) {
  for (int row = 0; row < kRowsPerBar; ++row) {
    const bool kick = driving ? row % 4 == 0 : row == 0 || row == 10;
    const bool snare = row == 4 || row == 12 || (fill && row >= 12);
    if (kick)
      Kick(p, start + row);
    else if (snare)
      Snare(p, start + row, driving ? 48 : 34);
    if (row % (driving ? 2 : 4) == 0) Hat(p, start + row, row % 4 == 0 ? 36 : 22);
  }
}

// Half time: the snare once a bar, on its middle; a fill rolls over the last beat.
void HalfTimeDrums(xm::TPattern& p, int start, bool fill) {
  for (int row = 0; row < kRowsPerBar; ++row) {
    if (row == 0 || row == 11)
      Kick(p, start + row);
    else if (row == 8 || (fill && row >= 12 && row % 2 == 0))
      Snare(p, start + row, 50);
    if (row % 2 == 0) Hat(p, start + row, row % 8 == 0 ? 34 : 20);
  }
}

// A broken beat: kicks off the beat, a ghost snare before the bar line, hats on every
// sixteenth but softly between.
void BrokenDrums(xm::TPattern& p, int start, bool fill) {
  for (int row = 0; row < kRowsPerBar; ++row) {
    if (row == 0 || row == 6 || row == 10)
      Kick(p, start + row);
    else if (row == 4 || row == 12 || (fill && row >= 12))
      Snare(p, start + row, 46);
    else if (row == 15)
      Snare(p, start + row, 20);
    Hat(p, start + row, row % 4 == 0 ? 32 : row % 2 == 0 ? 22 : 12);
  }
}

// Four bars that gather: snares every half bar, every beat, every eighth, then a roll that
// swells to the next section, the hats dropping out under it.
void BuildDrums(xm::TPattern& p, int bar, int start) {
  const int step = 8 >> bar;
  for (int row = 0; row < kRowsPerBar; ++row) {
    if (bar == kBarsPerPattern - 1)
      Snare(p, start + row, 24 + row * 2);
    else if (row % step == step / 2)
      Snare(p, start + row, 30 + bar * 6);
    else if (row % 4 == 0)
      Kick(p, start + row);
    if (bar < kBarsPerPattern - 1 && row % 4 == 0) Hat(p, start + row, 30);
  }
}

}  // namespace

void Put(xm::TPattern& p, int row, int channel, uint8_t note, uint8_t instrument, int volume) {
  xm::TCell& c = p.At(row, channel, kChannels);
  c.note = note;
  c.instrument = instrument;
  c.volume = xm::Volume(volume);
}

void KeyOff(xm::TPattern& p, int row, int channel) {
  if (row < kRows && p.At(row, channel, kChannels).Empty())
    p.At(row, channel, kChannels).note = xm::kKeyOff;
}

uint8_t NoteOf(int semitone, int octave) {
  return xm::Note(octave + semitone / 12, semitone % 12);
}

void Bass(xm::TPattern& p, int bar, const TChord& chord, TBass figure) {
  const int start = FirstRow(bar);
  switch (figure) {
    case TBass::Calm:
      BassNote(p, start, chord.root, 2, 50);
      BassNote(p, start + 8, chord.Tones()[2], 2, 40);
      KeyOff(p, start + 15, kBassLine);
      break;
    case TBass::Eighths:
    case TBass::Octaves:
      for (int i = 0; i < 8; ++i) {
        const bool high = figure == TBass::Octaves ? i % 2 == 1 : i % 4 == 3;
        const int volume = figure == TBass::Octaves && high ? 40 : 48;
        BassNote(p, start + i * 2, chord.root, high ? 3 : 2, volume);
      }
      break;
    case TBass::Syncopated:
      SyncopatedBass(p, start, chord);
      break;
    case TBass::Walk:
      WalkingBass(p, start, chord);
      break;
    case TBass::Held:
      BassNote(p, start, chord.root, 2, 46);
      break;
  }
}

void Pad(xm::TPattern& p, int bar, const TChord& chord, TPad figure) {
  const int start = FirstRow(bar);
  const auto tones = chord.Tones();
  if (figure == TPad::Held) {
    Put(p, start, kPadThird, NoteOf(tones[1], 4), kPad, 34);
    Put(p, start, kPadFifth, NoteOf(tones[2], 4), kPad, 30);
  } else if (figure == TPad::Stabs) {
    // Offbeat stabs.
    for (int beat = 0; beat < 4; ++beat) {
      Put(p, start + beat * 4 + 2, kPadThird, NoteOf(tones[1], 4), kPad, 30);
      Put(p, start + beat * 4 + 2, kPadFifth, NoteOf(tones[2], 4), kPad, 26);
      KeyOff(p, start + beat * 4 + 3, kPadThird);
      KeyOff(p, start + beat * 4 + 3, kPadFifth);
    }
  }
}

void Arpeggio(xm::TPattern& p, int bar, const TChord& chord, TArp figure) {
  const int start = FirstRow(bar);
  const auto tones = chord.Tones();
  if (figure == TArp::Calm || figure == TArp::Up || figure == TArp::Down) {
    // Up and back through the chord (down and back for Down), the second half an octave up
    // (for Down, the first).
    const int step = figure == TArp::Calm ? 4 : 2;
    const int octave = figure == TArp::Calm ? 4 : 3;
    const int volume = figure == TArp::Calm ? 26 : figure == TArp::Up ? 30 : 28;
    const int upOrder[] = {0, 1, 2, 1}, downOrder[] = {2, 1, 0, 1};
    const int* order = figure == TArp::Down ? downOrder : upOrder;
    for (int i = 0; i * step < kRowsPerBar; ++i) {
      const bool high = figure == TArp::Down ? i % 8 < 4 : i % 8 >= 4;
      Put(p, start + i * step, kArp, NoteOf(tones[order[i % 4]] + (high ? 12 : 0), octave), kPluck,
          volume);
    }
  } else if (figure == TArp::Broken) {
    // The chord broken in the bass's three-three-two.
    const int rows[] = {0, 3, 6, 8, 11, 14};
    const int order[] = {0, 2, 1, 2, 0, 1};
    for (int i = 0; i < 6; ++i)
      Put(p, start + rows[i], kArp, NoteOf(tones[order[i]] + (i >= 3 ? 12 : 0), 3), kPluck, 30);
  }
}

void Drums(xm::TPattern& p, int bar, TDrums figure, bool fill) {
  const int start = FirstRow(bar);
  switch (figure) {
    case TDrums::None:
      break;
    case TDrums::Calm:
    case TDrums::Four:
      PlainDrums(p, start, figure == TDrums::Four, fill);
      break;
    case TDrums::Half:
      HalfTimeDrums(p, start, fill);
      break;
    case TDrums::Broken:
      BrokenDrums(p, start, fill);
      break;
    case TDrums::Build:
      BuildDrums(p, bar, start);
      break;
  }
}

}  // namespace assetgen::music
