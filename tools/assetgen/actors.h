#pragma once

#include <cairo.h>

// The game's cast, each drawn at its own size with its top-left corner at the origin, so the
// sprites, the help pages and the panel icons share one drawing.
namespace assetgen {

// The player: a fighting duck, 115 × 75, facing right. wing 0..2 is the wing beat.
constexpr int kCraftWidth = 115, kCraftHeight = 75;
void DrawDuckCraft(cairo_t* cr, int wing, bool firing, bool armed);
// The wingman: a smaller duck, 55 × 48, with its jet nozzle at its left edge.
constexpr int kHeroWidth = 55, kHeroHeight = 48;
void DrawHeroDuck(cairo_t* cr);
// A jet flame pointing left, w × h, flickering with phase 0..3.
void DrawJetFlame(cairo_t* cr, double w, double h, int phase);

// Enemies face left, towards the player.
constexpr int kAirplaneWidth = 110, kAirplaneHeight = 50;
void DrawAirplane(cairo_t* cr);
void DrawPropeller(cairo_t* cr, int phase);  // 12 × 36
constexpr int kStorkWidth = 130, kStorkHeight = 90;
// wing 0..2; beak 0 closed, 1 open, 2 chewing; falling turns it over and shuts its eyes.
void DrawStork(cairo_t* cr, int wing, int beak, bool falling);
constexpr int kDogWidth = 80, kDogHeight = 135;
// A dog hanging under a balloon; popped: the balloon is gone and the dog tumbles.
void DrawBalloonDog(cairo_t* cr, int swing, bool popped);
constexpr int kHelicopterWidth = 120, kHelicopterHeight = 60;
void DrawHelicopter(cairo_t* cr);
void DrawRotor(cairo_t* cr, int phase);  // 150 × 20

// Hunters stand on the front hills and aim up: kind 0 a shotgun, 1 a rifle, 2 a rocket
// launcher. Sizes by kind.
struct THunterSize {
  int width, height;
};
THunterSize HunterSize(int kind);
void DrawHunter(cairo_t* cr, int kind, bool firing);
THunterSize HunterFallSize(int kind);
void DrawFallenHunter(cairo_t* cr, int kind, int frame);

// A fireball turning to smoke as t goes from 0 to 1, filling w × h.
void DrawBlast(cairo_t* cr, double w, double h, double t, unsigned seed);

}  // namespace assetgen
