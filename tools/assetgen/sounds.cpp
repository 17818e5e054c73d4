#include "sounds.h"

#include <functional>
#include <string>

#include "synth.h"

namespace assetgen {

namespace {

using namespace synth;
constexpr int kRate = 22050;

TSamples Note(TWaveform w, double f, double seconds, double power = 2) {
  TSamples s = Tone(w, f, f, seconds, kRate);
  Envelope(s, kRate, 0.004, power);
  return s;
}

TSamples Button() {
  return Note(TWaveform::Square, 1320, 0.045, 3);
}

TSamples Bonus() {
  TSamples s;
  const double notes[] = {659.3, 880, 1318.5};
  for (int i = 0; i < 3; ++i)
    AddInto(s, Note(TWaveform::Triangle, notes[i], 0.16), 0.8, i * 0.07, kRate);
  return s;
}

TSamples GameOver() {
  TSamples s;
  const double notes[] = {392, 349.2, 311.1, 233.1};
  for (int i = 0; i < 4; ++i)
    AddInto(s, Note(TWaveform::Triangle, notes[i], i == 3 ? 0.8 : 0.28, 1.5), 0.8, i * 0.26, kRate);
  return s;
}

TSamples Reborn() {
  TSamples s = Tone(TWaveform::Sine, 300, 1200, 0.5, kRate);
  TSamples shimmer = Vibrato(TWaveform::Triangle, 1500, 0.03, 12, 0.5, kRate);
  AddInto(s, shimmer, 0.3, 0, kRate);
  Envelope(s, kRate, 0.05, 1.5);
  return s;
}

TSamples Blast(double seconds, double cutoff, double thump, uint32_t seed) {
  TSamples s = Tone(TWaveform::Noise, 1, 1, seconds, kRate, seed);
  LowPass(s, kRate, cutoff, cutoff / 12);
  Envelope(s, kRate, 0.003, 2.5);
  TSamples low = Tone(TWaveform::Sine, thump, thump * 0.5, seconds * 0.6, kRate);
  Envelope(low, kRate, 0.002, 2);
  AddInto(s, low, 0.7, 0, kRate);
  return s;
}

TSamples PlayerKill() {
  TSamples s = Blast(0.9, 3000, 70, 7);
  TSamples fall = Tone(TWaveform::Saw, 600, 90, 0.7, kRate);
  LowPass(fall, kRate, 2000, 400);
  Envelope(fall, kRate, 0.01, 1.2);
  AddInto(s, fall, 0.35, 0.05, kRate);
  return s;
}

TSamples HeroKill() {
  TSamples s = Blast(0.5, 4500, 110, 9);
  TSamples squeak = Tone(TWaveform::Square, 1400, 500, 0.3, kRate);
  Envelope(squeak, kRate, 0.005, 1.5);
  AddInto(s, squeak, 0.25, 0, kRate);
  return s;
}

TSamples Laser() {
  TSamples s = Tone(TWaveform::Square, 1800, 380, 0.15, kRate);
  LowPass(s, kRate, 6000, 2000);
  Envelope(s, kRate, 0.002, 1.5);
  return s;
}

// Two saw sweeps sounding together, darkened by a closing filter: the buzzy voice of the
// double gun and of a falling hunter.
struct TSweep {
  double from, to, gain;
};
TSamples TwoSaws(TSweep first, TSweep second, double seconds, double cutoffStart, double cutoffEnd,
                 double attack, double power) {
  TSamples s = Tone(TWaveform::Saw, first.from, first.to, seconds, kRate);
  AddInto(s, Tone(TWaveform::Saw, second.from, second.to, seconds, kRate), second.gain, 0, kRate);
  LowPass(s, kRate, cutoffStart, cutoffEnd);
  Envelope(s, kRate, attack, power);
  return s;
}

TSamples Laser2() {
  return TwoSaws({1400, 300, 1}, {1460, 310, 0.8}, 0.18, 5000, 1500, 0.002, 1.5);
}

TSamples Rocket() {
  TSamples s = Tone(TWaveform::Noise, 1, 1, 0.55, kRate, 3);
  LowPass(s, kRate, 500, 3500);
  HighPass(s, kRate, 150);
  Envelope(s, kRate, 0.06, 1.2);
  return s;
}

TSamples Rail() {
  TSamples s = Tone(TWaveform::Sine, 200, 2400, 0.12, kRate);
  TSamples ring = Vibrato(TWaveform::Sine, 2400, 0.01, 30, 0.35, kRate);
  Envelope(ring, kRate, 0.001, 2);
  AddInto(s, ring, 0.6, 0.1, kRate);
  AddInto(s, Blast(0.3, 2500, 90, 5), 0.4, 0.02, kRate);
  return s;
}

TSamples Explosion2() {
  return Blast(0.75, 2200, 60, 11);
}

TSamples BirdKill() {
  // A squawk: a buzzy tone that wobbles fast as it falls.
  TSamples s;
  for (int i = 0; i < 2; ++i) {
    TSamples squawk = Vibrato(TWaveform::Saw, 900 - i * 250, 0.12, 35, 0.14, kRate);
    LowPass(squawk, kRate, 3500, 1500);
    Envelope(squawk, kRate, 0.005, 1.2);
    AddInto(s, squawk, 0.8, i * 0.13, kRate);
  }
  return s;
}

TSamples DogKill() {
  TSamples up = Tone(TWaveform::Triangle, 700, 1150, 0.09, kRate);
  TSamples down = Tone(TWaveform::Triangle, 1150, 480, 0.22, kRate);
  Envelope(down, kRate, 0.001, 1.5);
  TSamples s = up;
  AddInto(s, down, 1, 0.09, kRate);
  Envelope(s, kRate, 0.01, 0.5);
  return s;
}

TSamples HunterKill() {
  return TwoSaws({220, 110, 1}, {331, 160, 0.5}, 0.32, 1400, 500, 0.02, 1.3);
}

TSamples Crack(uint32_t seed) {
  TSamples s = Tone(TWaveform::Noise, 1, 1, 0.12, kRate, seed);
  HighPass(s, kRate, 800);
  Envelope(s, kRate, 0.001, 4);
  TSamples thud = Tone(TWaveform::Sine, 180, 80, 0.08, kRate);
  Envelope(thud, kRate, 0.001, 2);
  AddInto(s, thud, 0.6, 0, kRate);
  return s;
}

TSamples Shot1() {
  return Crack(13);
}

TSamples Shot3() {
  TSamples s;
  for (int i = 0; i < 3; ++i) AddInto(s, Crack(17 + i), 1.0 - i * 0.15, i * 0.085, kRate);
  return s;
}

}  // namespace

// Each effect at its own loudness: the RMS of its loudest 50 ms, in dB below full scale.
// The craft's blast and the kills stand out, the game's events sit a little under them, the
// shots that come several times a second well under the kills, and a button's click under
// everything; in the mix the music sits about where the shots do.
struct TEffect {
  const char* name;
  std::function<TSamples()> make;
  double loudnessDb;
};

void AddSounds(engine::TWaveCollection& list) {
  const TEffect kEffects[] = {
      {"Button", Button, -20},     {"Bonus", Bonus, -12.5},           {"GameOver", GameOver, -11},
      {"Reborn", Reborn, -12},     {"PlayerKill", PlayerKill, -9},    {"HeroKill", HeroKill, -10},
      {"Laser", Laser, -17},       {"Laser2", Laser2, -16.5},         {"Rocket", Rocket, -15.5},
      {"Rail", Rail, -11.5},       {"Explosion2", Explosion2, -9.5},  {"BirdKill", BirdKill, -10.5},
      {"DogKill", DogKill, -10.5}, {"HunterKill", HunterKill, -10.5}, {"Shot1", Shot1, -15.5},
      {"Shot3", Shot3, -15.5},
  };
  for (const auto& [name, make, loudnessDb] : kEffects) {
    engine::TWaveCollectionItem& item = list.Add();
    item.SetName(name);
    item.Wave = engine::TWave::FromPcm16(kRate, 1, Finish(make(), kRate, loudnessDb));
  }
}

}  // namespace assetgen
