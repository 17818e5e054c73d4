#include <cmath>

#include "actors.h"
#include "art.h"

namespace assetgen {

namespace {

struct THunterLook {
  THunterSize size;
  TRgb coat;
  TRgb hat;
  // The muzzle, where the shots start (relative to the top-left corner).
  double muzzleX, muzzleY;
};

const THunterLook kLooks[] = {
    {{110, 110}, Hex(0x5E7A3A), Hex(0xC8A04A), 80, 3},  // the shotgun
    {{110, 112}, Hex(0x8A5A2E), Hex(0x4A6A3A), 90, 3},  // the rifle
    {{90, 90}, Hex(0x5A5A6E), Hex(0x2E2E3A), 50, 3},    // the rocket launcher
};

const TRgb kSkin = Hex(0xF1C29A);

}  // namespace

THunterSize HunterSize(int kind) {
  return kLooks[kind].size;
}

void DrawHunter(cairo_t* cr, int kind, bool firing) {
  const THunterLook& look = kLooks[kind];
  const double w = look.size.width, h = look.size.height;
  const double cx = w * 0.45;  // the body's middle
  // Boots on the ground line, legs, coat.
  cairo_move_to(cr, cx - 8, h * 0.62);
  cairo_line_to(cr, cx - 12, h - 6);
  cairo_move_to(cr, cx + 8, h * 0.62);
  cairo_line_to(cr, cx + 12, h - 6);
  SetColour(cr, Hex(0x3A3A4A));
  cairo_set_line_width(cr, 9);
  cairo_stroke(cr);
  RoundRect(cr, cx - 20, h - 8, 14, 7, 3);
  FillInked(cr, Hex(0x2A1E16), 1.5);
  RoundRect(cr, cx + 6, h - 8, 14, 7, 3);
  FillInked(cr, Hex(0x2A1E16), 1.5);
  RoundRect(cr, cx - 15, h * 0.34, 30, h * 0.32, 8);
  FillInked(cr, look.coat);
  // Head with a hat; a moustache for the older ones.
  InkedEllipse(cr, cx, h * 0.25, 11, 12, kSkin);
  Ellipse(cr, cx, h * 0.17, 16, 4);
  FillInked(cr, look.hat, 1.5);
  cairo_arc(cr, cx, h * 0.16, 10, M_PI, 2 * M_PI);
  FillInked(cr, look.hat, 1.5);
  Eye(cr, cx + 4, h * 0.25, 2.5, 0.2);
  if (kind != 2) {
    Ellipse(cr, cx + 3, h * 0.31, 6, 2.2);
    SetColour(cr, Hex(0x5A3A22));
    cairo_fill(cr);
  }
  // The weapon, held from the shoulder up to the muzzle.
  const double sx = cx + 6, sy = h * 0.42;
  cairo_move_to(cr, sx, sy);
  cairo_line_to(cr, look.muzzleX, look.muzzleY + 4);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, kind == 2 ? 11 : 6);
  cairo_stroke_preserve(cr);
  SetColour(cr, kind == 2 ? Hex(0x6A7A3A) : Hex(0x6B4526));
  cairo_set_line_width(cr, kind == 2 ? 8 : 3.5);
  cairo_stroke(cr);
  // The arms hold it.
  cairo_move_to(cr, cx - 10, h * 0.42);
  cairo_line_to(cr, (sx + look.muzzleX) / 2, (sy + look.muzzleY) / 2 + 6);
  SetColour(cr, look.coat);
  cairo_set_line_width(cr, 6);
  cairo_stroke(cr);
  if (firing) {
    Ellipse(cr, look.muzzleX, look.muzzleY + 2, 7, 5);
    SetColour(cr, Hex(0xFFE35A));
    cairo_fill(cr);
    Ellipse(cr, look.muzzleX, look.muzzleY + 2, 3, 2);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
  }
}

THunterSize HunterFallSize(int /*kind*/) {
  return {90, 50};
}

void DrawFallenHunter(cairo_t* cr, int kind, int frame) {
  const THunterLook& look = kLooks[kind];
  // He topples backwards over three frames and ends flat with stars round his head.
  cairo_save(cr);
  cairo_translate(cr, 45, 42);
  cairo_rotate(cr, -0.5 - 0.5 * frame);
  RoundRect(cr, -12, -34, 24, 30, 7);
  FillInked(cr, look.coat);
  InkedEllipse(cr, 0, -42, 9, 9, kSkin);
  cairo_restore(cr);
  if (frame == 2) {
    for (int i = 0; i < 3; ++i) {
      const double x = 14 + i * 12, y = 18 + (i % 2) * 6;
      Polygon(cr, {{x, y - 5},
                   {x + 2, y - 1},
                   {x + 6, y},
                   {x + 2, y + 1},
                   {x, y + 5},
                   {x - 2, y + 1},
                   {x - 6, y},
                   {x - 2, y - 1}});
      SetColour(cr, Hex(0xFFE35A));
      cairo_fill(cr);
    }
  }
  Ellipse(cr, 60 + frame * 4, 40, 10, 4);  // the dropped hat
  FillInked(cr, look.hat, 1.5);
}

void DrawBlast(cairo_t* cr, double w, double h, double t, unsigned seed) {
  TRandom random(seed);
  const double cx = w / 2, cy = h / 2;
  const double reach = std::min(w, h) / 2 * (0.35 + 0.6 * std::sqrt(t));
  const TRgb fire = Mix(Hex(0xFFE35A), Hex(0xE2401A), std::min(1.0, t * 1.6));
  const TRgb smoke = Mix(Hex(0xE2401A), Hex(0x7A7478), std::min(1.0, std::max(0.0, t * 2 - 0.4)));
  for (int i = 0; i < 7; ++i) {
    const double a = random.Range(0, 2 * M_PI);
    const double d = random.Range(0.2, 0.6) * reach;
    const double r = reach * random.Range(0.35, 0.55);
    Ellipse(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, r, r);
    SetColour(cr, smoke);
    cairo_fill(cr);
  }
  if (t < 0.6) {
    Ellipse(cr, cx, cy, reach * (0.7 - t * 0.5), reach * (0.7 - t * 0.5));
    SetColour(cr, fire);
    cairo_fill(cr);
    Ellipse(cr, cx, cy, reach * (0.35 - t * 0.4), reach * (0.35 - t * 0.4));
    SetColour(cr, Hex(0xFFFBE0));
    cairo_fill(cr);
  }
}

}  // namespace assetgen
