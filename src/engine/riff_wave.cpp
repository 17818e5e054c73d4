#include "engine/riff_wave.h"

#include <cstring>

#include "engine/byte_reader.h"
#include "engine/byte_writer.h"
#include "engine/engine_error.h"

namespace engine {

namespace {

constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kPcmFormatSize = 16;
// Rates outside these are not sounds of ours, and would make the resampled copy huge.
constexpr int kSlowestRate = 4000;
constexpr int kFastestRate = 192000;

uint32_t FourCc(const char* id) {
  return static_cast<uint32_t>(id[0]) | (static_cast<uint32_t>(id[1]) << 8) |
         (static_cast<uint32_t>(id[2]) << 16) | (static_cast<uint32_t>(id[3]) << 24);
}

// One channel's sample of a frame, as a signed 16-bit value.
int SampleAt(const uint8_t* frame, int channel, int bits) {
  if (bits == 8) return (frame[channel] - 128) * 256;
  const uint8_t* s = frame + 2 * channel;
  return static_cast<int16_t>(s[0] | (s[1] << 8));
}

}  // namespace

void ThrowInvalidWave() {
  throw EWaveStreamError("Wave is invalid");
}

void TWave::LoadFromRiff(std::span<const uint8_t> bytes) {
  TByteReader in(bytes, &ThrowInvalidWave);
  if (in.Remaining() < 12 || in.U32() != FourCc("RIFF")) ThrowInvalidWave();
  in.U32();  // the size of the rest, which the chunks say again
  if (in.U32() != FourCc("WAVE")) ThrowInvalidWave();

  std::vector<uint8_t> format;
  size_t dataStart = 0;
  size_t dataSize = 0;
  for (;;) {
    // The header is read into a zeroed buffer: an exhausted stream gives id 0 and ends.
    uint8_t header[kChunkHeaderSize] = {};
    const size_t got = std::min(in.Remaining(), kChunkHeaderSize);
    std::memcpy(header, in.Take(got).data(), got);
    TByteReader chunk({header, kChunkHeaderSize}, &ThrowInvalidWave);
    const uint32_t id = chunk.U32();
    const uint32_t size = chunk.U32();
    if (id == 0) break;
    if (id == FourCc("fmt ")) {
      const auto block = in.Take(size);
      format.assign(block.begin(), block.end());
    } else if (id == FourCc("data")) {
      dataStart = in.Position();
      dataSize = size;
      in.Skip(size);
    } else if (size > in.Remaining()) {
      break;  // a chunk we do not read, running past the end: nothing more to find
    } else {
      in.Skip(size);  // sizes are taken as they stand: no pad byte after odd ones
    }
  }
  Format = std::move(format);
  Data.assign(bytes.begin() + dataStart, bytes.begin() + dataStart + dataSize);
  stored_.assign(bytes.begin(), bytes.end());
}

std::vector<uint8_t> TWave::Riff() const {
  if (!stored_.empty()) return stored_;
  TByteWriter out;
  out.U32(FourCc("RIFF"));
  out.U32(static_cast<uint32_t>(4 + kChunkHeaderSize * 2 + Format.size() + Data.size()));
  out.U32(FourCc("WAVE"));
  out.U32(FourCc("fmt "));
  out.U32(static_cast<uint32_t>(Format.size()));
  out.Append(Format);
  out.U32(FourCc("data"));
  out.U32(static_cast<uint32_t>(Data.size()));
  out.Append(Data);
  return std::move(out.Bytes());
}

std::optional<TPcmFormat> TWave::Pcm() const {
  if (Format.size() < kPcmFormatSize) return std::nullopt;
  TByteReader in(Format, &ThrowInvalidWave);
  const uint16_t tag = in.U16();
  TPcmFormat pcm;
  pcm.channels = in.U16();
  pcm.rate = static_cast<int>(std::min<uint32_t>(in.U32(), INT32_MAX));
  in.U32();  // bytes a second
  in.U16();  // block alignment: the frame size follows from bits and channels
  pcm.bits = in.U16();
  const bool playable = tag == TPcmFormat::kPcmTag && (pcm.bits == 8 || pcm.bits == 16) &&
                        (pcm.channels == 1 || pcm.channels == 2) && pcm.rate >= kSlowestRate &&
                        pcm.rate <= kFastestRate;
  if (!playable) return std::nullopt;
  return pcm;
}

int64_t TWave::SampleFrames() const {
  const auto pcm = Pcm();
  return pcm ? static_cast<int64_t>(Data.size() / pcm->FrameBytes()) : 0;
}

TWave TWave::FromPcm16(int rate, int channels, const std::vector<int16_t>& samples) {
  TWave wave;
  TByteWriter format;
  format.U16(TPcmFormat::kPcmTag);
  format.U16(static_cast<uint16_t>(channels));
  format.U32(static_cast<uint32_t>(rate));
  format.U32(static_cast<uint32_t>(rate * channels * 2));
  format.U16(static_cast<uint16_t>(channels * 2));
  format.U16(16);
  wave.Format = std::move(format.Bytes());
  TByteWriter data;
  for (int16_t s : samples) data.U16(static_cast<uint16_t>(s));
  wave.Data = std::move(data.Bytes());
  return wave;
}

namespace {

// Frames below 2^32 times a rate below 2^31 stay inside int64.
int64_t ConvertedFrames(const TWave& wave, const TPcmFormat& pcm, int deviceRate) {
  return wave.SampleFrames() * deviceRate / pcm.rate;
}

}  // namespace

int64_t ConvertedBytes(const TWave& wave, int deviceRate) {
  const auto pcm = wave.Pcm();
  return pcm ? ConvertedFrames(wave, *pcm, deviceRate) * 2 * int64_t{sizeof(int16_t)} : 0;
}

std::vector<int16_t> ConvertForMixer(const TWave& wave, int deviceRate) {
  const TPcmFormat pcm = wave.Pcm().value();
  const int64_t inFrames = wave.SampleFrames();
  const int64_t outFrames = ConvertedFrames(wave, pcm, deviceRate);
  std::vector<int16_t> out(static_cast<size_t>(outFrames) * 2);
  const uint8_t* samples = wave.Data.data();
  const int frameBytes = pcm.FrameBytes();
  for (int64_t i = 0; i < outFrames; ++i) {
    // Linear interpolation between the two nearest source frames; at equal rates the
    // weight is always 0 and the samples are copied as they are.
    const int64_t scaled = i * pcm.rate;
    const int64_t first = scaled / deviceRate;
    const int64_t next = std::min(first + 1, inFrames - 1);
    const int64_t weight = (scaled % deviceRate << 16) / deviceRate;
    for (int c = 0; c < 2; ++c) {
      const int channel = pcm.channels == 2 ? c : 0;
      const int a = SampleAt(samples + first * frameBytes, channel, pcm.bits);
      const int b = SampleAt(samples + next * frameBytes, channel, pcm.bits);
      out[static_cast<size_t>(i) * 2 + c] = static_cast<int16_t>(a + ((b - a) * weight >> 16));
    }
  }
  return out;
}

}  // namespace engine
