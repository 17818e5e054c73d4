// The sprite engine under the game's loads: a draw pass over 120 sprites of the game's own
// pictures, and the collision searches of the craft and 50 shots through 80 sprites.
#include <benchmark/benchmark.h>

#include <random>

#include "engine/dx_draw.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "engine/image_sprite.h"
#include "engine/sprite_engine.h"
#include "platform/headless/headless_platform.h"

namespace {

constexpr int kRepetitions = 9;

// A display and the game's second image list, with sprites scattered over the screen.
struct TSpriteScene {
  platform::THeadlessPlatform platform;
  engine::TDXForm form{platform};
  engine::TDXDraw draw{&form};
  engine::TDXImageList images{&draw};
  engine::TDXSpriteEngine sprites{&draw};
  std::vector<engine::TImageSprite*> made;

  explicit TSpriteScene(int count) {
    images.Items.LoadFromFile("Data/Res/Res2.dxg");
    draw.Initialize();
    const char* kNames[] = {"Player",  "MBird", "MDog",         "MAirplane",       "MHelicopter",
                            "Hunter1", "BLife", "GunBulletRed", "RocketBulletRed", "Explosion"};
    std::mt19937 random(7);
    for (int i = 0; i < count; ++i) {
      auto* s = new engine::TImageSprite(&sprites.Engine());
      s->SetImage(&images.Items.FindImage(kNames[i % 10]));
      s->X = static_cast<double>(random() % 800) - 40;
      s->Y = static_cast<double>(random() % 600) - 40;
      s->AnimFrame = static_cast<double>(random() % 2);
      s->SetZ(static_cast<int32_t>(random() % 12));
      made.push_back(s);
    }
  }
};

void BM_EngineDrawPass(benchmark::State& state) {
  TSpriteScene scene(120);
  for (auto _ : state) {
    scene.sprites.RenderAll();
    benchmark::DoNotOptimize(scene.draw.Surface().Pixels());
  }
  state.counters["drawn"] = scene.sprites.Engine().DrawCount;
}
BENCHMARK(BM_EngineDrawPass)->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions);

void BM_EngineCollisions(benchmark::State& state) {
  TSpriteScene scene(80);
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (int tester = 0; tester <= 50; ++tester) hits += scene.made[tester]->CheckHits();
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = hits;
}
BENCHMARK(BM_EngineCollisions)->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions);

}  // namespace
