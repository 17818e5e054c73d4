// Whole frames of the idle main menu on the headless platform.
#include <benchmark/benchmark.h>

#include "app/form.h"
#include "platform/headless/headless_platform.h"

namespace {

void BM_MainMenuFrame(benchmark::State& state) {
  platform::THeadlessPlatform platform(60);
  TMForm form(platform, TFormConfig{1, {}});
  form.FormCreate();
  uint32_t now = 0;
  for (auto _ : state) {
    now += 16;
    platform.SetTicks(now);
    form.MDXTimerTimer(16);
  }
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
