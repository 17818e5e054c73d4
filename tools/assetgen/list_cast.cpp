#include "actors.h"
#include "art.h"
#include "image_set.h"
#include "lists.h"

namespace assetgen {

namespace {

constexpr int kExplosionFrames = 6;

TDrawnImage Blasts(const std::string& name, int w, int h, int frames, unsigned seed) {
  return Strip(name, w, h, frames, [w, h, frames, seed](cairo_t* cr, int f) {
    DrawBlast(cr, w, h, f / double(frames - 1), seed + f);
  });
}

void AddCraft(engine::TPictureCollection& list) {
  // Eight patterns in a 4 × 2 grid with gaps: 0 firing, 1–3 flight, then the same armed.
  TDrawnImage player;
  player.name = "Player";
  player.layout = {kCraftWidth, kCraftHeight, 4, 2, 2, 2};
  player.draw = [](cairo_t* cr, int f) {
    const bool firing = f % 4 == 0;
    DrawDuckCraft(cr, firing ? 1 : f % 4 - 1, firing, f >= 4);
  };
  AddImage(list, player);
  AddImage(list, Blasts("PlayerExplosion", 90, 75, kExplosionFrames, 11));
  AddImage(list,
           Single("Hero", kHeroWidth, kHeroHeight, [](cairo_t* cr, int) { DrawHeroDuck(cr); }));
  AddImage(list, Strip("HeroAnim", 48, 40, 4, [](cairo_t* cr, int f) {
             cairo_translate(cr, 0, 2);
             DrawJetFlame(cr, 48, 36, f);
           }));
  AddImage(list, Blasts("HeroExplosion", kHeroWidth, kHeroHeight, 4, 31));
}

void AddEnemies(engine::TPictureCollection& list) {
  AddImage(list, Single("MAirplane", kAirplaneWidth, kAirplaneHeight,
                        [](cairo_t* cr, int) { DrawAirplane(cr); }));
  AddImage(list,
           Strip("MAirplaneAnim", 12, 36, 4, [](cairo_t* cr, int f) { DrawPropeller(cr, f); }));
  AddImage(list, Strip("MBird", kStorkWidth, kStorkHeight, 3,
                       [](cairo_t* cr, int f) { DrawStork(cr, f, 0, false); }));
  AddImage(list, Strip("MBirdEat", kStorkWidth, kStorkHeight, 3,
                       [](cairo_t* cr, int f) { DrawStork(cr, 1, f == 1 ? 2 : 1, false); }));
  AddImage(list, Strip("MBirdFall", kStorkWidth, kStorkHeight, 2,
                       [](cairo_t* cr, int f) { DrawStork(cr, f, 1, true); }));
  AddImage(list, Strip("MDog", kDogWidth, kDogHeight, 3,
                       [](cairo_t* cr, int f) { DrawBalloonDog(cr, f == 1 ? 2 : f, false); }));
  AddImage(list, Strip("MDogFall", kDogWidth, kDogHeight, 3,
                       [](cairo_t* cr, int f) { DrawBalloonDog(cr, f, true); }));
  TDrawnImage helicopter = Single("MHelicopter", kHelicopterWidth, kHelicopterHeight,
                                  [](cairo_t* cr, int) { DrawHelicopter(cr); });
  helicopter.systemMemory = true;
  AddImage(list, helicopter);
  // The rotor's three patterns stand in one column, a pixel apart.
  TDrawnImage rotor;
  rotor.name = "MHelicopterAnim";
  rotor.layout = {150, 20, 1, 3, 0, 1};
  rotor.draw = [](cairo_t* cr, int f) { DrawRotor(cr, f); };
  AddImage(list, rotor);
}

void AddHunters(engine::TPictureCollection& list) {
  for (int kind = 0; kind < 3; ++kind) {
    const THunterSize size = HunterSize(kind);
    const std::string name = "Hunter" + std::to_string(kind + 1);
    AddImage(list, Strip(name, size.width, size.height, 2,
                         [kind](cairo_t* cr, int f) { DrawHunter(cr, kind, f == 1); }));
    const THunterSize fall = HunterFallSize(kind);
    AddImage(list, Strip(name + "Fall", fall.width, fall.height, 3,
                         [kind](cairo_t* cr, int f) { DrawFallenHunter(cr, kind, f); }));
  }
}

}  // namespace

void AddCastImages(engine::TPictureCollection& list) {
  AddCraft(list);
  AddEnemies(list);
  AddHunters(list);
}

}  // namespace assetgen
