#include "synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

namespace {

constexpr double kPeakLimit = 0.89;
constexpr int kLoudnessWindowsPerSecond = 20;  // 50 ms
constexpr size_t kLoudnessHopsPerWindow = 5;

double Wave(TWaveform waveform, double phase, uint32_t& noise) {
  const double p = phase - std::floor(phase);
  switch (waveform) {
    case TWaveform::Sine:
      return std::sin(2 * M_PI * p);
    case TWaveform::Square:
      return p < 0.5 ? 0.8 : -0.8;
    case TWaveform::Saw:
      return 2 * p - 1;
    case TWaveform::Triangle:
      return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case TWaveform::Noise:
      noise ^= noise << 13;
      noise ^= noise >> 17;
      noise ^= noise << 5;
      return (noise >> 8) / 8388608.0 - 1;
  }
  return 0;
}

}  // namespace

TSamples Tone(TWaveform waveform, double f0, double f1, double seconds, int rate, uint32_t seed) {
  const int n = static_cast<int>(seconds * rate);
  TSamples s(n);
  double phase = 0;
  uint32_t noise = seed ? seed : 1;
  for (int i = 0; i < n; ++i) {
    const double t = n > 1 ? double(i) / (n - 1) : 0;
    const double f = f0 * std::pow(f1 / f0, t);
    s[i] = static_cast<float>(Wave(waveform, phase, noise));
    phase += f / rate;
  }
  return s;
}

TSamples Vibrato(TWaveform waveform, double frequency, double depth, double speed, double seconds,
                 int rate) {
  const int n = static_cast<int>(seconds * rate);
  TSamples s(n);
  double phase = 0;
  uint32_t noise = 1;
  for (int i = 0; i < n; ++i) {
    const double f = frequency * (1 + depth * std::sin(2 * M_PI * speed * i / rate));
    s[i] = static_cast<float>(Wave(waveform, phase, noise));
    phase += f / rate;
  }
  return s;
}

void Envelope(TSamples& s, int rate, double attack, double power) {
  const double n = static_cast<double>(s.size());
  const double attackSamples = std::max(1.0, attack * rate);
  for (size_t i = 0; i < s.size(); ++i) {
    const double rise = std::min(1.0, i / attackSamples);
    const double fall = std::pow(1 - i / n, power);
    s[i] = static_cast<float>(s[i] * rise * fall);
  }
}

void LowPass(TSamples& s, int rate, double cutoffStart, double cutoffEnd) {
  double y = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = s.size() > 1 ? double(i) / (s.size() - 1) : 0;
    const double cutoff = cutoffStart * std::pow(cutoffEnd / cutoffStart, t);
    const double a = 1 - std::exp(-2 * M_PI * cutoff / rate);
    y += a * (s[i] - y);
    s[i] = static_cast<float>(y);
  }
}

void HighPass(TSamples& s, int rate, double cutoff) {
  const double a = std::exp(-2 * M_PI * cutoff / rate);
  double low = 0;
  for (float& v : s) {
    low = a * low + (1 - a) * v;
    v = static_cast<float>(v - low);
  }
}

void AddInto(TSamples& dst, const TSamples& src, double gain, double offsetSeconds, int rate) {
  const size_t offset = static_cast<size_t>(offsetSeconds * rate);
  if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[offset + i] += static_cast<float>(src[i] * gain);
}

double LoudestRms(const TSamples& s, int rate) {
  if (s.empty()) return 0;
  const size_t window =
      std::min(s.size(), static_cast<size_t>(std::max(1, rate / kLoudnessWindowsPerSecond)));
  const size_t hop = std::max<size_t>(1, window / kLoudnessHopsPerWindow);
  double loudest = 0;
  for (size_t start = 0; start + window <= s.size(); start += hop) {
    double sum = 0;
    for (size_t i = start; i < start + window; ++i) sum += double(s[i]) * s[i];
    loudest = std::max(loudest, sum / window);
  }
  return std::sqrt(loudest);
}

std::vector<int16_t> Finish(TSamples s, int rate, double loudnessDb) {
  double peak = 0;
  for (float v : s) peak = std::max(peak, std::abs(double(v)));
  const double rms = LoudestRms(s, rate);
  double gain = rms > 0 ? std::pow(10.0, loudnessDb / 20) / rms : 0;
  if (peak * gain > kPeakLimit) gain = kPeakLimit / peak;
  std::vector<int16_t> out(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    out[i] = static_cast<int16_t>(std::lrint(std::clamp(s[i] * gain, -1.0, 1.0) * 32767));
  return out;
}

}  // namespace assetgen::synth
