#include "fuzz_entries.h"

#include <algorithm>
#include <span>

#include "engine/dib.h"
#include "engine/dx_draw.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "engine/dx_sound.h"
#include "engine/dx_wave_list.h"
#include "engine/engine_error.h"
#include "engine/picture_collection.h"
#include "engine/riff_wave.h"
#include "engine/wave_collection.h"
#include "platform/headless/headless_platform.h"

namespace fuzz {

namespace {

// A small back surface: drawing is clipped to it, and a run stays fast.
constexpr int kScreenWidth = 128;
constexpr int kScreenHeight = 96;
// The mixer is pulled this often, this many times, after the sounds start: long enough to
// reach the end of short sounds and to loop.
constexpr uint32_t kMixStepMs = 20;
constexpr int kMixSteps = 4;

// The headless display and sound device the game's form would have, both initialised.
struct TDevices {
  platform::THeadlessPlatform platform;
  engine::TDXForm form{platform};
  engine::TDXDraw draw{&form};
  engine::TDXSound sound{&form};

  TDevices() {
    draw.Width = kScreenWidth;
    draw.Height = kScreenHeight;
    draw.Initialize();
    sound.Initialize();
  }

  // The clock only goes forward: a step back would read as a jump of days.
  void Mix() {
    for (int step = 0; step < kMixSteps; ++step) platform.SetTicks(now += kMixStepMs);
  }

  uint32_t now = 0;
};

template <typename TRead>
void Expecting(TRead read) {
  try {
    read();
  } catch (const engine::EEngineError&) {
    // A refusal with the format's message is the right answer to bad bytes.
  }
}

// The first and the last pattern of every item, each way a sprite draws one.
void DrawEveryItem(const engine::TPictureCollection& images, engine::TDirectDrawSurface& screen) {
  for (int i = 0; i < images.Count(); ++i) {
    const auto& item = images.Items(i);
    images.Find(item.Name());
    for (int pattern : {0, item.PatternCount() - 1}) {
      item.Draw(screen, -1, 1, pattern);
      item.DrawAlpha(screen, engine::Bounds(2, 3, kScreenWidth / 2, kScreenHeight / 3), pattern,
                     128);
      item.DrawRotate(screen, kScreenWidth / 2, kScreenHeight / 2, 40, 30, pattern, 0.5, 0.5, 37);
    }
  }
}

// Every sound started, the looped ones too, then one more start of each while the first
// still sounds, so copies are made and reused.
void PlayEveryItem(engine::TWaveCollection& waves, TDevices& devices) {
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < waves.Count(); ++i) waves.Items(i).Play(false);
    devices.Mix();
  }
  for (int i = 0; i < waves.Count(); ++i) waves.Items(i).Stop();
}

}  // namespace

void ReadImageList(const uint8_t* data, size_t size) {
  TDevices devices;
  engine::TDXImageList list{&devices.draw};
  Expecting([&] {
    // Attached to an initialised display, loading also builds every surface and pattern.
    list.Items.LoadFromBytes({data, size});
    DrawEveryItem(list.Items, devices.draw.Surface());
    list.Items.SaveToBytes();
  });
}

void ReadSoundList(const uint8_t* data, size_t size) {
  TDevices devices;
  engine::TDXWaveList list{&devices.sound};
  Expecting([&] {
    // Attached to a sound device, loading also converts every sound for the mixer.
    list.Items.LoadFromBytes({data, size});
    PlayEveryItem(list.Items, devices);
    list.Items.SaveToBytes();
  });
}

void ReadDib(const uint8_t* data, size_t size) {
  // The first byte chooses between the bare layout and a whole BMP file, whether the picture
  // is cut into patterns of a quarter of its size, and whether it is kept on one surface.
  if (size == 0) return;
  TDevices devices;
  engine::TDXImageList list{&devices.draw};
  Expecting([&] {
    auto& item = list.Items.Add();
    const std::span<const uint8_t> rest(data + 1, size - 1);
    if (data[0] & 1)
      item.Picture.LoadFromBmpFile(rest);
    else
      item.Picture.LoadFromDibData(rest);
    if (item.Picture.Empty()) return;
    item.Picture.BmpFile();
    if (data[0] & 2) {
      item.PatternWidth = std::max(item.Picture.Width() / 4, 1);
      item.PatternHeight = std::max(item.Picture.Height() / 4, 1);
    }
    item.SystemMemory = (data[0] & 4) != 0;
    item.Restore();
    DrawEveryItem(list.Items, devices.draw.Surface());
  });
}

void ReadRiff(const uint8_t* data, size_t size) {
  TDevices devices;
  engine::TDXWaveList list{&devices.sound};
  Expecting([&] {
    auto& item = list.Items.Add();
    item.Wave.LoadFromRiff({data, size});
    item.Restore();
    PlayEveryItem(list.Items, devices);
  });
}

}  // namespace fuzz
