#pragma once

#include <cstdint>
#include <vector>

// A small synthesiser for the game's sound effects and the modules' instruments: oscillators
// with pitch sweeps, noise, envelopes and a one-pole filter, in floating point.
namespace assetgen::synth {

using TSamples = std::vector<float>;

enum class TWaveform { Sine, Square, Saw, Triangle, Noise };

// A tone sweeping exponentially from f0 to f1 Hz over its length, at the given rate.
TSamples Tone(TWaveform waveform, double f0, double f1, double seconds, int rate,
              uint32_t seed = 1);
// Vibrato: the pitch of a tone wobbling by depth (a fraction) at speed Hz.
TSamples Vibrato(TWaveform waveform, double frequency, double depth, double speed, double seconds,
                 int rate);
// Attack in seconds, then a fall to silence shaped by power (1 linear, higher faster).
void Envelope(TSamples& s, int rate, double attack, double power);
// A low-pass whose cutoff moves from start to end Hz over the sound.
void LowPass(TSamples& s, int rate, double cutoffStart, double cutoffEnd);
void HighPass(TSamples& s, int rate, double cutoff);
// Adds src, scaled, at an offset in seconds; dst grows to hold it.
void AddInto(TSamples& dst, const TSamples& src, double gain, double offsetSeconds, int rate);

// The RMS of a sound's loudest 50 ms (of the whole, when it is shorter), full scale 1: how
// loud it sounds, whatever its length, so a short click and a long blast compare fairly.
double LoudestRms(const TSamples& s, int rate);
// The finished effect at its own loudness: its loudest 50 ms brought to an RMS of loudnessDb
// (dB below full scale), peaks held below full scale so nothing clips, as 16-bit samples.
std::vector<int16_t> Finish(TSamples s, int rate, double loudnessDb);

}  // namespace assetgen::synth
