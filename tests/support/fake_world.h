#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/dx_image_list.h"
#include "engine/sprite_engine.h"
#include "engine/surface.h"
#include "objects/world.h"

namespace test_support {

// A small world to make one game object in, without a form or a display: the game's own
// image lists, a sprite root of its own and, when asked, an 800×600 surface to draw on.
// Random draws come from a list the test fills (0 once it is empty); effects, shots, freed
// slots, windows and pointer moves are written down for the test to read.
struct TFakeWorld : objects::TWorld {
  struct TShot {
    int x, y, z, speed, angle;
    uint8_t kind, side;
    bool tilt;
  };

  engine::TDXImageList images1;
  engine::TDXImageList images2;
  std::unique_ptr<engine::TDirectDrawSurface> surface;
  engine::TSpriteEngine root;  // after the lists: its sprites go before the pictures they show

  std::deque<int> draws;
  std::vector<int> drawLimits;  // the n of each RandomBelow asked
  std::vector<std::string> effects;
  std::vector<TShot> shots;
  std::vector<int> freedShots;
  std::vector<int> freedBonuses;
  int playerShotsCalledBack = 0;
  std::vector<int> windows;
  platform::TPoint pointer{};
  platform::TPoint window{};

  TFakeWorld() {
    const std::filesystem::path res = std::filesystem::path(PEROLET_GAME_DATA_DIR) / "Res";
    for (auto [list, file] : {std::pair{&images1, "Res1.dxg"}, std::pair{&images2, "Res2.dxg"}}) {
      list->Items.LoadFromFile((res / file).string());
      // The patterns a display would cut, so the pictures draw and hit-test as in a game.
      for (int i = 0; i < list->Items.Count(); ++i) {
        list->Items.Items(i).Initialize();
        list->Items.Items(i).Restore();
      }
    }
  }

  engine::TDirectDrawSurface& MakeSurface() {
    surface = std::make_unique<engine::TDirectDrawSurface>(800, 600);
    root.SetSurface(surface.get());
    return *surface;
  }

  int RandomBelow(int n) override {
    drawLimits.push_back(n);
    if (draws.empty()) return 0;
    const int r = draws.front();
    draws.pop_front();
    return r;
  }
  void PlayEffect(const std::string& name) override { effects.push_back(name); }
  engine::TSprite& SpriteRoot() override { return root; }
  engine::TDXImageList* ImageList(uint8_t list) override {
    if (list == 1) return &images1;
    if (list == 2) return &images2;
    return nullptr;
  }
  engine::TDirectDrawSurface* DrawSurface() override { return surface.get(); }
  platform::TPoint PointerPos() override { return pointer; }
  void MovePointerTo(platform::TPoint p) override { pointer = p; }
  platform::TPoint WindowPos() override { return window; }
  void FireShot(int x, int y, int z, int speed, int angle, uint8_t kind, uint8_t side,
                bool tilt) override {
    shots.push_back({x, y, z, speed, angle, kind, side, tilt});
  }
  void FreeShot(int i) override { freedShots.push_back(i); }
  void KillPlayerShots() override { ++playerShotsCalledBack; }
  void FreeBonus(int i) override { freedBonuses.push_back(i); }
  void OpenWindow(int kind) override { windows.push_back(kind); }
};

}  // namespace test_support
