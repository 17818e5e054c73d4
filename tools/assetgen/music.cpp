#include "music.h"

#include <algorithm>
#include <array>

#include "art.h"
#include "music_instruments.h"

namespace assetgen {

namespace {

using xm::TCell;
using xm::TPattern;

constexpr int kChannels = 8;
constexpr int kRowsPerBar = 16;  // a row is a sixteenth note
constexpr int kBarsPerPattern = 4;
constexpr int kRows = kRowsPerBar * kBarsPerPattern;

enum TChannel { kMelody, kArp, kBassLine, kPadThird, kPadFifth, kDrums, kHats, kEcho };

// A chord: its root as a semitone above C, and whether it is minor.
struct TChord {
  int root;
  bool minor;
  std::array<int, 3> Tones() const { return {root, root + (minor ? 3 : 4), root + 7}; }
};

struct TSongStyle {
  std::array<int, 7> scale;  // semitones above C of the key's seven notes
  bool driving;              // the race: eighth-note bass, busier drums, sixteenth arps
};

struct TSection {
  std::array<TChord, kBarsPerPattern> chords;
  bool melody;
  bool drums;
  uint32_t seed;
};

void Put(TPattern& p, int row, int channel, uint8_t note, uint8_t instrument, int volume) {
  TCell& c = p.At(row, channel, kChannels);
  c.note = note;
  c.instrument = instrument;
  c.volume = xm::Volume(volume);
}

void KeyOff(TPattern& p, int row, int channel) {
  if (row < kRows && p.At(row, channel, kChannels).Empty())
    p.At(row, channel, kChannels).note = xm::kKeyOff;
}

uint8_t NoteOf(int semitone, int octave) {
  return xm::Note(octave + semitone / 12, semitone % 12);
}

void Bass(TPattern& p, int bar, const TChord& chord, const TSongStyle& style) {
  const int start = bar * kRowsPerBar;
  if (style.driving) {
    for (int i = 0; i < 8; ++i)
      Put(p, start + i * 2, kBassLine, NoteOf(chord.root, i % 4 == 3 ? 3 : 2), kBass, 48);
  } else {
    Put(p, start, kBassLine, NoteOf(chord.root, 2), kBass, 50);
    Put(p, start + 8, kBassLine, NoteOf(chord.Tones()[2], 2), kBass, 40);
    KeyOff(p, start + 15, kBassLine);
  }
}

void Pad(TPattern& p, int bar, const TChord& chord, const TSongStyle& style) {
  const int start = bar * kRowsPerBar;
  const auto tones = chord.Tones();
  if (style.driving) {
    // Offbeat stabs.
    for (int beat = 0; beat < 4; ++beat) {
      Put(p, start + beat * 4 + 2, kPadThird, NoteOf(tones[1], 4), kPad, 30);
      Put(p, start + beat * 4 + 2, kPadFifth, NoteOf(tones[2], 4), kPad, 26);
      KeyOff(p, start + beat * 4 + 3, kPadThird);
      KeyOff(p, start + beat * 4 + 3, kPadFifth);
    }
  } else {
    Put(p, start, kPadThird, NoteOf(tones[1], 4), kPad, 34);
    Put(p, start, kPadFifth, NoteOf(tones[2], 4), kPad, 30);
  }
}

void Arpeggio(TPattern& p, int bar, const TChord& chord, const TSongStyle& style) {
  const int start = bar * kRowsPerBar;
  const auto tones = chord.Tones();
  const int step = style.driving ? 2 : 4;
  const int order[] = {0, 1, 2, 1};
  for (int i = 0; i * step < kRowsPerBar; ++i) {
    const int octave = style.driving ? 4 : 5;
    Put(p, start + i * step, kArp, NoteOf(tones[order[i % 4]] + (i % 8 >= 4 ? 12 : 0), octave - 1),
        kPluck, style.driving ? 30 : 26);
  }
}

void Drums(TPattern& p, int bar, const TSongStyle& style, bool fill) {
  const int start = bar * kRowsPerBar;
  const uint8_t c4 = xm::Note(4, 0);
  for (int row = 0; row < kRowsPerBar; ++row) {
    const bool kick = style.driving ? row % 4 == 0 : row == 0 || row == 10;
    const bool snare = row == 4 || row == 12 || (fill && row >= 12);
    if (kick)
      Put(p, start + row, kDrums, c4, kKick, 60);
    else if (snare)
      Put(p, start + row, kDrums, c4, kSnare, style.driving ? 48 : 34);
    if (row % (style.driving ? 2 : 4) == 0)
      Put(p, start + row, kHats, c4, kHat, row % 4 == 0 ? 36 : 22);
  }
}

// A melody line over the chords: chord tones on the strong beats, steps of the scale between,
// rhythms from a few figures, chosen by the section's seed so every section sings its own.
void Melody(TPattern& p, const TSection& section, const TSongStyle& style) {
  static const std::vector<std::vector<int>> kFigures = {
      {0, 4, 8, 12}, {0, 6, 8, 12, 14}, {0, 2, 4, 8, 10, 12}, {0, 8}, {0, 3, 6, 8, 12}};
  TRandom random(section.seed);
  int degree = 7 + 2;  // in scale steps over two octaves: start on the third
  for (int bar = 0; bar < kBarsPerPattern; ++bar) {
    const auto& figure = kFigures[static_cast<size_t>(random.Next() * kFigures.size())];
    const auto tones = section.chords[bar].Tones();
    for (size_t i = 0; i < figure.size(); ++i) {
      const int row = bar * kRowsPerBar + figure[i];
      if (figure[i] % 8 == 0) {
        // Land on the chord tone nearest where the line is.
        int best = degree, bestDistance = 99;
        for (int d = 3; d < 14; ++d) {
          const int semitone = style.scale[d % 7] % 12;
          const bool inChord = std::find(tones.begin(), tones.end(), semitone) != tones.end() ||
                               std::find(tones.begin(), tones.end(), semitone + 12) != tones.end();
          if (inChord && std::abs(d - degree) < bestDistance) {
            best = d;
            bestDistance = std::abs(d - degree);
          }
        }
        degree = best;
      } else {
        degree = std::clamp(degree + static_cast<int>(random.Next() * 5) - 2, 3, 13);
      }
      const int semitone = style.scale[degree % 7] + 12 * (degree / 7);
      Put(p, row, kMelody, NoteOf(semitone, style.driving ? 3 : 4), kLead, 44);
      const int end = i + 1 < figure.size() ? bar * kRowsPerBar + figure[i + 1] : row + 6;
      if (end - row > 3) KeyOff(p, end - 1, kMelody);
    }
  }
  // A soft echo of the line an eighth later.
  for (int row = 0; row + 2 < kRows; ++row) {
    const TCell& c = p.At(row, kMelody, kChannels);
    if (c.note && c.note != xm::kKeyOff) Put(p, row + 2, kEcho, c.note, kLead, 14);
  }
}

TPattern Compose(const TSection& section, const TSongStyle& style) {
  TPattern p(kRows, kChannels);
  for (int bar = 0; bar < kBarsPerPattern; ++bar) {
    Bass(p, bar, section.chords[bar], style);
    Pad(p, bar, section.chords[bar], style);
    Arpeggio(p, bar, section.chords[bar], style);
    if (section.drums) Drums(p, bar, style, bar == kBarsPerPattern - 1);
  }
  if (section.melody) Melody(p, section, style);
  return p;
}

xm::TModule Module(const char* name, int tempo, int bpm, const TSongStyle& style,
                   const std::vector<TSection>& sections, std::vector<uint8_t> order) {
  xm::TModule m;
  m.name = name;
  m.channels = kChannels;
  m.tempo = tempo;
  m.bpm = bpm;
  m.order = std::move(order);
  for (const TSection& s : sections) m.patterns.push_back(Compose(s, style));
  m.instruments = MakeInstruments();
  return m;
}

constexpr TChord C{0, false}, Dm{2, true}, Em{4, true}, F{5, false}, G{7, false}, Am{9, true},
    E{4, false};

}  // namespace

xm::TModule MenuModule() {
  const TSongStyle style{{0, 2, 4, 5, 7, 9, 11}, false};  // C major
  const std::vector<TSection> sections = {
      {{C, Am, F, G}, false, false, 1}, {{C, Am, F, G}, true, true, 2},
      {{C, Am, Dm, G}, true, true, 3},  {{F, G, Em, Am}, true, true, 4},
      {{F, G, C, C}, true, false, 5},   {{Dm, G, C, C}, true, true, 6},
  };
  // Eight patterns of 64 rows at 6 ticks and 90 BPM: about 85 seconds before it repeats.
  return Module("Perolet menu", 6, 90, style, sections, {0, 1, 2, 3, 4, 1, 2, 5});
}

xm::TModule RaceModule() {
  const TSongStyle style{{9, 11, 12, 14, 16, 17, 19}, true};  // A minor
  const std::vector<TSection> sections = {
      {{Am, F, C, G}, false, true, 11},  {{Am, F, C, G}, true, true, 12},
      {{Am, F, G, E}, true, true, 13},   {{F, G, Am, Am}, true, true, 14},
      {{Dm, Am, E, Am}, true, true, 15}, {{F, G, E, E}, false, true, 16},
      {{Am, F, G, Am}, true, true, 17},
  };
  // Twelve patterns at 6 ticks and 150 BPM: about 77 seconds before it repeats.
  return Module("Perolet race", 6, 150, style, sections, {0, 1, 2, 3, 1, 2, 4, 5, 4, 3, 6, 5});
}

}  // namespace assetgen
