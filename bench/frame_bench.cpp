// Whole frames of the idle main menu on the headless platform, and the frame's clear against
// SDL's own fill of a surface of the same size.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "app/form.h"
#include "engine/surface.h"
#include "platform/headless/headless_platform.h"

namespace {

void BM_MainMenuFrame(benchmark::State& state) {
  platform::THeadlessPlatform platform(60);
  TMForm form(platform, TFormConfig{1, {}});
  MForm = &form;
  form.FormCreate();
  uint32_t now = 0;
  for (auto _ : state) {
    now += 16;
    platform.SetTicks(now);
    form.MDXTimerTimer(16);
  }
  MForm = nullptr;
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMicrosecond);

void BM_SurfaceFill(benchmark::State& state) {
  engine::TDirectDrawSurface surface(800, 600);
  for (auto _ : state) {
    surface.Fill(0);
    benchmark::DoNotOptimize(surface.Pixels());
  }
}
BENCHMARK(BM_SurfaceFill)->Unit(benchmark::kMicrosecond);

void BM_SdlFillRect(benchmark::State& state) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_RGB888);
  for (auto _ : state) {
    SDL_FillRect(surface, nullptr, 0);
    benchmark::DoNotOptimize(surface->pixels);
  }
  SDL_FreeSurface(surface);
}
BENCHMARK(BM_SdlFillRect)->Unit(benchmark::kMicrosecond);

}  // namespace
