#pragma once

#include <deque>
#include <filesystem>
#include <limits>
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
    int X, Y, Z, Speed, Angle;
    uint8_t Kind, Side;
    bool Tilt;
  };

  engine::TDXImageList Images1;
  engine::TDXImageList Images2;
  std::unique_ptr<engine::TDirectDrawSurface> Surface;
  engine::TSpriteEngine Root;  // after the lists: its sprites go before the pictures they show

  std::deque<int> Draws;
  std::vector<int> DrawLimits;  // the n of each RandomBelow asked
  std::vector<std::string> Effects;
  std::vector<double> EffectXs;  // where each was heard from; NaN for a centred one
  std::vector<TShot> Shots;
  std::vector<int> FreedShots;
  std::vector<int> FreedBonuses;
  int PlayerShotsCalledBack = 0;
  std::vector<int> Windows;
  platform::TPoint Pointer{};
  platform::TPoint Window{};

  TFakeWorld() {
    const std::filesystem::path res = std::filesystem::path(PEROLET_GAME_DATA_DIR) / "Res";
    for (auto [list, file] : {std::pair{&Images1, "Res1.dxg"}, std::pair{&Images2, "Res2.dxg"}}) {
      list->Items.LoadFromFile((res / file).string());
      // The patterns a display would cut, so the pictures draw and hit-test as in a game.
      for (int i = 0; i < list->Items.Count(); ++i) {
        list->Items.Items(i).Initialize();
        list->Items.Items(i).Restore();
      }
    }
  }

  engine::TDirectDrawSurface& MakeSurface() {
    Surface = std::make_unique<engine::TDirectDrawSurface>(800, 600);
    Root.SetSurface(Surface.get());
    return *Surface;
  }

  int RandomBelow(int n) override {
    DrawLimits.push_back(n);
    if (Draws.empty()) return 0;
    const int r = Draws.front();
    Draws.pop_front();
    return r;
  }
  void PlayEffect(const std::string& name, double x) override {
    Effects.push_back(name);
    EffectXs.push_back(x);
  }
  void PlayCentredEffect(const std::string& name) override {
    Effects.push_back(name);
    EffectXs.push_back(std::numeric_limits<double>::quiet_NaN());
  }
  engine::TSprite& SpriteRoot() override { return Root; }
  engine::TDXImageList* ImageList(uint8_t list) override {
    if (list == 1) return &Images1;
    if (list == 2) return &Images2;
    return nullptr;
  }
  engine::TDirectDrawSurface* DrawSurface() override { return Surface.get(); }
  platform::TPoint PointerPos() override { return Pointer; }
  void MovePointerTo(platform::TPoint p) override { Pointer = p; }
  platform::TPoint WindowPos() override { return Window; }
  void FireShot(int x, int y, int z, int speed, int angle, uint8_t kind, uint8_t side,
                bool tilt) override {
    Shots.push_back({x, y, z, speed, angle, kind, side, tilt});
  }
  void FreeShot(int i) override { FreedShots.push_back(i); }
  void KillPlayerShots() override { ++PlayerShotsCalledBack; }
  void FreeBonus(int i) override { FreedBonuses.push_back(i); }
  void OpenWindow(int kind) override { Windows.push_back(kind); }
};

}  // namespace test_support
