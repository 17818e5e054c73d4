#include <cmath>

#include "actors.h"
#include "art.h"
#include "icons.h"
#include "image_set.h"
#include "lists.h"

namespace assetgen {

namespace {

constexpr int kBonusSize = 40;
constexpr int kBonusFrames = 4;
constexpr int kGunShotWidth = 16, kGunShotHeight = 6;
constexpr int kRocketWidth = 28, kRocketHeight = 10, kRocketFrames = 3;
// The hunters' shots are drawn turned an eighth of a turn clockwise further than they fly, so
// their pictures point an eighth of a turn anticlockwise (up and to the right). They are
// square, to hold the diagonal, and cover about the area of the plain ones, whose sizes are
// the shots' bounds in flight.
constexpr int kTiltedGunShotSize = 10;
constexpr int kTiltedRocketSize = 17;

void GunShot(cairo_t* cr) {
  RoundRect(cr, 1, 1, 14, 4, 2);
  FillInked(cr, Hex(0xFF3A2A), 1);
  cairo_rectangle(cr, 9, 2, 5, 2);
  SetColour(cr, Hex(0xFFE0A0));
  cairo_fill(cr);
}

void RocketShot(cairo_t* cr, int frame) {
  Ellipse(cr, 3, 5, 3 + frame, 2 + frame * 0.5);
  SetColour(cr, Hex(0xFFB02A));
  cairo_fill(cr);
  DrawRocket(cr, 5, 5, 22);
}

// Sets cr up so that a picture drawn for a width × height box pointing right lands in a
// size × size square, pointing up and to the right, as large as the square allows.
void TurnedBack(cairo_t* cr, double size, double width, double height) {
  const double scale = size * std::sqrt(2.0) / (width + height);
  cairo_translate(cr, size / 2, size / 2);
  cairo_rotate(cr, -M_PI / 4);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -width / 2, -height / 2);
}

void MegaShot(cairo_t* cr, bool enemy) {
  // A fat torpedo-bomb, 40 × 22, nose right for the player's and left for an enemy's.
  if (enemy) {
    cairo_translate(cr, 40, 0);
    cairo_scale(cr, -1, 1);
  }
  cairo_move_to(cr, 4, 4);
  cairo_line_to(cr, 26, 4);
  cairo_curve_to(cr, 38, 4, 39, 11, 39, 11);
  cairo_curve_to(cr, 39, 11, 38, 18, 26, 18);
  cairo_line_to(cr, 4, 18);
  cairo_close_path(cr);
  FillInked(cr, enemy ? Hex(0x8A3A3A) : Hex(0x3A4A8A));
  Polygon(cr, {{4, 4}, {0, 0}, {10, 4}});
  FillInked(cr, Hex(0xE8B43A), 1.2);
  Polygon(cr, {{4, 18}, {0, 22}, {10, 18}});
  FillInked(cr, Hex(0xE8B43A), 1.2);
  cairo_rectangle(cr, 16, 4, 4, 14);
  SetColour(cr, Hex(0xFFE35A));
  cairo_fill(cr);
}

}  // namespace

void DrawBonus(cairo_t* cr, objects::TBonusKind kind, int frame) {
  // A soap bubble that pulses, with the bonus's symbol inside.
  const double c = kBonusSize / 2.0;
  const double r = 17 + (frame % 2 == 1 ? 1.5 : frame == 2 ? 2.5 : 0);
  Ellipse(cr, c, c, r, r);
  SetColour(cr, Hex(0xBFE8FF), 1.0);
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x2E6AA8));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  DrawBonusIcon(cr, kind, c, c, 26);
  Ellipse(cr, c - r * 0.45, c - r * 0.5, r * 0.22, r * 0.13);
  SetColour(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

void AddItemImages(engine::TPictureCollection& list) {
  AddImage(list, Single("GunBulletRed", kGunShotWidth, kGunShotHeight,
                        [](cairo_t* cr, int) { GunShot(cr); }));
  AddImage(list, Single("GunBulletRedTilted", kTiltedGunShotSize, kTiltedGunShotSize,
                        [](cairo_t* cr, int) {
                          TurnedBack(cr, kTiltedGunShotSize, kGunShotWidth, kGunShotHeight);
                          GunShot(cr);
                        }));
  AddImage(list, Strip("BombBullet", 14, 20, 2, [](cairo_t* cr, int f) {
             InkedEllipse(cr, 7, 12, 6, 7, Hex(0x2E2E3A));
             Polygon(cr, {{3, 6}, {7, 0}, {11, 6}});
             FillInked(cr, Hex(0x5A5A6E), 1);
             Ellipse(cr, 5, 10, 1.5, 2);
             SetColour(cr, f ? Hex(0xFF6A1A) : Hex(0xFFFFFF));
             cairo_fill(cr);
           }));
  AddImage(list, Single("MegaBullet", 40, 22, [](cairo_t* cr, int) { MegaShot(cr, false); }));
  AddImage(list, Single("MegaBulletR", 40, 22, [](cairo_t* cr, int) { MegaShot(cr, true); }));
  AddImage(list, Strip("RocketBulletRed", kRocketWidth, kRocketHeight, kRocketFrames,
                       [](cairo_t* cr, int f) { RocketShot(cr, f); }));
  AddImage(list, Strip("RocketBulletRedTilted", kTiltedRocketSize, kTiltedRocketSize, kRocketFrames,
                       [](cairo_t* cr, int f) {
                         TurnedBack(cr, kTiltedRocketSize, kRocketWidth, kRocketHeight);
                         RocketShot(cr, f);
                       }));
  // Eight patterns in two rows, the last smoke; pattern 3 is the rockets' smoke puff.
  TDrawnImage explosion;
  explosion.name = "Explosion";
  explosion.layout = {64, 64, 4, 2, 0, 0};
  explosion.systemMemory = true;
  explosion.draw = [](cairo_t* cr, int f) { DrawBlast(cr, 64, 64, f / 7.0, 51 + f); };
  AddImage(list, explosion);
  AddImage(list,
           Strip("EngineFire", 45, 16, 4, [](cairo_t* cr, int f) { DrawJetFlame(cr, 45, 16, f); }));
  for (int number = 0; number < objects::kBonusKinds; ++number) {
    const auto kind = static_cast<objects::TBonusKind>(number);
    if (kind == objects::TBonusKind::Nothing) continue;  // it shows the basic gun's picture
    AddImage(list, Strip(objects::BonusImageOf(kind), kBonusSize, kBonusSize, kBonusFrames,
                         [kind](cairo_t* cr, int f) { DrawBonus(cr, kind, f); }));
  }
}

}  // namespace assetgen
