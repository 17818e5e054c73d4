#include "fuzz_entries.h"

#include <span>

#include "engine/dib.h"
#include "engine/engine_error.h"
#include "engine/picture_collection.h"
#include "engine/riff_wave.h"
#include "engine/wave_collection.h"

namespace fuzz {

namespace {

// The mixer's rate, so conversion runs the way the game runs it.
constexpr int kDeviceRate = 44100;

template <typename TRead>
void Expecting(TRead read) {
  try {
    read();
  } catch (const engine::EEngineError&) {
    // A refusal with the format's message is the right answer to bad bytes.
  }
}

void Convert(const engine::TWave& wave) {
  if (wave.Pcm()) engine::ConvertForMixer(wave, kDeviceRate);
}

}  // namespace

void ReadImageList(const uint8_t* data, size_t size) {
  Expecting([&] {
    engine::TPictureCollection images;
    images.LoadFromBytes({data, size});
    for (int i = 0; i < images.Count(); ++i) {
      const auto& item = images.Items(i);
      item.PatternCount();
      images.Find(item.Name());
    }
    images.SaveToBytes();
  });
}

void ReadSoundList(const uint8_t* data, size_t size) {
  Expecting([&] {
    engine::TWaveCollection waves;
    waves.LoadFromBytes({data, size});
    for (int i = 0; i < waves.Count(); ++i) Convert(waves.Items(i).Wave);
    waves.SaveToBytes();
  });
}

void ReadDib(const uint8_t* data, size_t size) {
  // The first byte chooses between the bare layout and a whole BMP file.
  if (size == 0) return;
  Expecting([&] {
    engine::TDIB dib;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    if (data[0] & 1)
      dib.LoadFromBmpFile(rest);
    else
      dib.LoadFromDibData(rest);
    if (!dib.Empty()) dib.BmpFile();
  });
}

void ReadRiff(const uint8_t* data, size_t size) {
  Expecting([&] {
    engine::TWave wave;
    wave.LoadFromRiff({data, size});
    Convert(wave);
  });
}

}  // namespace fuzz
