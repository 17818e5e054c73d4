#include "music_instruments.h"

#include <cmath>

#include "art.h"
#include "synth.h"

namespace assetgen {

namespace {

// Samples are made at twice the XM base rate and raised an octave, so a C-4 in a pattern
// plays the C of the sample: one cycle of 64 samples is 16726 / 64 ≈ 261.3 Hz.
constexpr int kSampleRate = 16726;
constexpr int kCycle = 64;
constexpr int8_t kOctaveUp = 12;

std::vector<int16_t> ToPcm(const synth::TSamples& s, double gain) {
  std::vector<int16_t> out(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    out[i] = static_cast<int16_t>(std::lrint(std::clamp(s[i] * gain, -1.0, 1.0) * 32000));
  return out;
}

// `cycles` whole cycles of a waveform given per phase 0..1, looped end to end.
xm::TInstrument Looped(const char* name, int cycles, double (*wave)(double), double gain) {
  synth::TSamples s(static_cast<size_t>(kCycle) * cycles);
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<float>(wave(double(i % kCycle) / kCycle));
  xm::TInstrument in;
  in.name = name;
  in.sample = ToPcm(s, gain);
  in.loopStart = 0;
  in.loopLength = static_cast<uint32_t>(s.size());
  in.relativeNote = kOctaveUp;
  return in;
}

xm::TInstrument OneShot(const char* name, synth::TSamples s, double gain) {
  xm::TInstrument in;
  in.name = name;
  in.sample = ToPcm(s, gain);
  in.relativeNote = kOctaveUp;
  return in;
}

double LeadWave(double p) {
  // A soft pulse: a square with its edges rounded by two harmonics taken off.
  return 0.6 * std::sin(2 * M_PI * p) + 0.2 * std::sin(6 * M_PI * p) +
         0.12 * std::sin(10 * M_PI * p) + 0.15 * std::sin(4 * M_PI * p);
}

double BassWave(double p) {
  double v = 0;
  for (int h = 1; h <= 6; ++h) v += std::sin(2 * M_PI * h * p) / (h * 1.3);
  return v * 0.55;
}

double PadWave(double p) {
  return 0.55 * std::sin(2 * M_PI * p) + 0.25 * std::sin(4 * M_PI * p) +
         0.12 * std::sin(8 * M_PI * p);
}

// A plucked string: a burst of noise circulating through a delay line one cycle long.
synth::TSamples Pluck() {
  TRandom random(5);
  std::vector<double> line(kCycle);
  for (double& v : line) v = random.Range(-1, 1);
  synth::TSamples s(kSampleRate * 7 / 10);
  for (size_t i = 0; i < s.size(); ++i) {
    const size_t at = i % kCycle;
    const double next = line[(at + 1) % kCycle];
    s[i] = static_cast<float>(line[at]);
    line[at] = 0.996 * 0.5 * (line[at] + next);
  }
  return s;
}

synth::TSamples Kick() {
  synth::TSamples s = synth::Tone(synth::TWaveform::Sine, 150, 42, 0.3, kSampleRate);
  synth::Envelope(s, kSampleRate, 0.001, 2.2);
  return s;
}

synth::TSamples Snare() {
  synth::TSamples s = synth::Tone(synth::TWaveform::Noise, 1, 1, 0.22, kSampleRate, 21);
  synth::LowPass(s, kSampleRate, 7000, 2500);
  synth::TSamples body = synth::Tone(synth::TWaveform::Triangle, 220, 160, 0.12, kSampleRate);
  synth::AddInto(s, body, 0.6, 0, kSampleRate);
  synth::Envelope(s, kSampleRate, 0.001, 3);
  return s;
}

synth::TSamples Hat() {
  synth::TSamples s = synth::Tone(synth::TWaveform::Noise, 1, 1, 0.06, kSampleRate, 33);
  synth::HighPass(s, kSampleRate, 5000);
  synth::Envelope(s, kSampleRate, 0.001, 3);
  return s;
}

}  // namespace

std::vector<xm::TInstrument> MakeInstruments() {
  std::vector<xm::TInstrument> list;
  xm::TInstrument lead = Looped("lead", 16, LeadWave, 0.8);
  lead.envelope = {{0, 40}, {3, 64}, {14, 46}, {60, 30}};
  lead.sustainPoint = 2;
  lead.fadeout = 1200;
  list.push_back(lead);
  xm::TInstrument bass = Looped("bass", 16, BassWave, 0.85);
  bass.envelope = {{0, 64}, {10, 52}, {40, 36}};
  bass.sustainPoint = 2;
  bass.fadeout = 2000;
  list.push_back(bass);
  xm::TInstrument pad = Looped("pad", 16, PadWave, 0.7);
  pad.envelope = {{0, 0}, {30, 44}, {90, 36}};
  pad.sustainPoint = 2;
  pad.fadeout = 500;
  list.push_back(pad);
  list.push_back(OneShot("pluck", Pluck(), 0.8));
  list.push_back(OneShot("kick", Kick(), 0.95));
  list.push_back(OneShot("snare", Snare(), 0.7));
  list.push_back(OneShot("hat", Hat(), 0.45));
  return list;
}

}  // namespace assetgen
