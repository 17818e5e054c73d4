#include "music.h"

#include <algorithm>
#include <array>

#include "art.h"
#include "music_instruments.h"
#include "music_parts.h"

namespace assetgen {

namespace {

using namespace music;
using xm::TCell;
using xm::TPattern;

struct TSongStyle {
  std::array<int, 7> scale;  // semitones above C of the key's seven notes
  int melodyOctave;
};

// Four bars: their chords, whether the tune sings over them, the backing's figures, the
// seed of the tune's rhythm and steps, and how many semitones the whole is lifted.
struct TSection {
  std::array<TChord, kBarsPerPattern> chords;
  bool melody;
  TGroove groove;
  uint32_t seed;
  int lift = 0;
};

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
      const int semitone = style.scale[degree % 7] + 12 * (degree / 7) + section.lift;
      Put(p, row, kMelody, NoteOf(semitone, style.melodyOctave), kLead, 44);
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
  const TGroove& groove = section.groove;
  for (int bar = 0; bar < kBarsPerPattern; ++bar) {
    const TChord chord = section.chords[bar].Lifted(section.lift);
    Bass(p, bar, chord, groove.bass);
    Pad(p, bar, chord, groove.pad);
    Arpeggio(p, bar, chord, groove.arp);
    Drums(p, bar, groove.drums, bar == kBarsPerPattern - 1);
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
  const TSongStyle style{{0, 2, 4, 5, 7, 9, 11}, 4};  // C major
  const TGroove calm{TBass::Calm, TDrums::Calm, TArp::Calm, TPad::Held};
  const TGroove still{TBass::Calm, TDrums::None, TArp::Calm, TPad::Held};
  const std::vector<TSection> sections = {
      {{C, Am, F, G}, false, still, 1}, {{C, Am, F, G}, true, calm, 2},
      {{C, Am, Dm, G}, true, calm, 3},  {{F, G, Em, Am}, true, calm, 4},
      {{F, G, C, C}, true, still, 5},   {{Dm, G, C, C}, true, calm, 6},
  };
  // Eight patterns of 64 rows at 6 ticks and 90 BPM: about 85 seconds before it repeats.
  return Module("Perolet menu", 6, 90, style, sections, {0, 1, 2, 3, 4, 1, 2, 5});
}

// The race as a song: an opening over the drums, two verses and a chorus, a bridge in half
// time, a breakdown and a build, the chorus again a tone higher, and a turn back to the
// start. No two sections share both their chords and their backing's figures, so the
// backing never plays the same four bars twice before the song starts over.
xm::TModule RaceModule() {
  const TSongStyle style{{9, 11, 12, 14, 16, 17, 19}, 3};  // A minor
  const TGroove opening{TBass::Held, TDrums::Half, TArp::Up, TPad::None};
  const TGroove drive{TBass::Eighths, TDrums::Four, TArp::Up, TPad::Stabs};
  const TGroove skip{TBass::Syncopated, TDrums::Broken, TArp::Broken, TPad::Stabs};
  const TGroove lift{TBass::Octaves, TDrums::Four, TArp::Down, TPad::Stabs};
  const TGroove wide{TBass::Walk, TDrums::Half, TArp::Calm, TPad::Held};
  const TGroove breakdown{TBass::Held, TDrums::None, TArp::Up, TPad::Held};
  const TGroove build{TBass::Eighths, TDrums::Build, TArp::Up, TPad::None};
  constexpr int kUpATone = 2;
  const std::vector<TSection> sections = {
      {{Am, F, C, G}, false, opening, 11},
      {{Am, F, C, G}, true, drive, 12},
      {{Am, F, G, E}, true, drive, 13},
      {{Dm, Am, E, Am}, true, skip, 15},
      {{F, G, Am, Am}, true, lift, 14},
      {{F, G, E, E}, true, lift, 16},
      {{Am, F, C, G}, true, skip, 21},
      {{Am, F, G, E}, true, skip, 22},
      {{C, G, Am, F}, true, wide, 23},
      {{C, G, F, E}, true, wide, 24},
      {{Am, Am, F, F}, true, breakdown, 25},
      {{Dm, Dm, E, E}, false, build, 26},
      {{F, G, Am, Am}, true, lift, 14, kUpATone},
      {{F, G, E, E}, true, lift, 16, kUpATone},
      {{Dm, E, Am, Am}, true, drive, 27, kUpATone},
      {{G, F, E, E}, false, skip, 28},
  };
  // Sixteen patterns at 6 ticks and 150 BPM: about 102 seconds before it repeats.
  return Module("Perolet race", 6, 150, style, sections,
                {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
}

}  // namespace assetgen
