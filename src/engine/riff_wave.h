#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace engine {

// The part of a wave's format block the game can play: integer PCM samples.
struct TPcmFormat {
  static constexpr uint16_t kPcmTag = 1;
  int rate = 0;
  int bits = 0;
  int channels = 0;
  int FrameBytes() const { return bits / 8 * channels; }
};

// A sound as the sound-list file holds it: the format block (the bytes of the "fmt " chunk)
// and the samples (the bytes of the "data" chunk).
class TWave {
 public:
  std::vector<uint8_t> Format;
  std::vector<uint8_t> Data;

  bool Empty() const { return Data.empty(); }
  // The RIFF WAVE file; raises EWaveStreamError "Wave is invalid" for anything else.
  void LoadFromRiff(std::span<const uint8_t> bytes);
  // The file as it was read, or a plain one made of the format block and the samples.
  std::vector<uint8_t> Riff() const;

  // The format when it is PCM the mixer can take: 8 or 16 bits, mono or stereo, a rate the
  // resampler handles.
  std::optional<TPcmFormat> Pcm() const;
  int64_t SampleFrames() const;

  // A wave of 16-bit PCM samples, interleaved when stereo.
  static TWave FromPcm16(int rate, int channels, const std::vector<int16_t>& samples);

 private:
  std::vector<uint8_t> stored_;
};

// Raises EWaveStreamError "Wave is invalid".
[[noreturn]] void ThrowInvalidWave();

// The samples as the mixer plays them: stereo 16-bit frames at deviceRate, converted once
// when the sound's buffer is built. The wave's format must be Pcm().
std::vector<int16_t> ConvertForMixer(const TWave& wave, int deviceRate);
// The bytes ConvertForMixer makes of the wave; 0 for a wave the mixer cannot take.
int64_t ConvertedBytes(const TWave& wave, int deviceRate);

}  // namespace engine
