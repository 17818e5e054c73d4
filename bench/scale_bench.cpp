// The full-screen scaler against SDL's own linear stretch on the same work: the 800 × 600
// picture to the height of a 1080p and of a 2160p screen.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/picture_scaler.h"

namespace {

constexpr int kPictureW = 800, kPictureH = 600;

std::vector<uint32_t> Picture() {
  std::vector<uint32_t> pixels(size_t{kPictureW} * kPictureH);
  for (int y = 0; y < kPictureH; ++y)
    for (int x = 0; x < kPictureW; ++x)
      pixels[size_t(y) * kPictureW + x] = uint32_t((x * 7 + y) & 0xFF) << 16 |
                                          uint32_t((y * 3) & 0xFF) << 8 | (uint32_t(x ^ y) & 0xFF);
  return pixels;
}

void OursSharp(benchmark::State& state, int width, int height) {
  const std::vector<uint32_t> picture = Picture();
  std::vector<uint32_t> screen(size_t(width) * height);
  platform::TPictureScaler scaler;
  for (auto _ : state) {
    scaler.Scale(platform::TScaleMode::Sharp, picture.data(), kPictureW, kPictureH, kPictureW,
                 screen.data(), width, height, width);
    benchmark::ClobberMemory();
  }
}

void SdlLinear(benchmark::State& state, int width, int height) {
  std::vector<uint32_t> picture = Picture();
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(picture.data(), kPictureW, kPictureH, 32,
                                                           kPictureW * 4, SDL_PIXELFORMAT_RGB888);
  SDL_Surface* screen =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
  for (auto _ : state) {
    SDL_SoftStretchLinear(source, nullptr, screen, nullptr);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(screen);
  SDL_FreeSurface(source);
}

void BM_OursScaleSharp1080(benchmark::State& state) {
  OursSharp(state, 1440, 1080);
}
void BM_SdlScaleLinear1080(benchmark::State& state) {
  SdlLinear(state, 1440, 1080);
}
void BM_OursScaleSharp2160(benchmark::State& state) {
  OursSharp(state, 2880, 2160);
}
void BM_SdlScaleLinear2160(benchmark::State& state) {
  SdlLinear(state, 2880, 2160);
}
BENCHMARK(BM_OursScaleSharp1080);
BENCHMARK(BM_SdlScaleLinear1080);
BENCHMARK(BM_OursScaleSharp2160);
BENCHMARK(BM_SdlScaleLinear2160);

}  // namespace
