#include <cmath>

#include "actors.h"
#include "art.h"

namespace assetgen {

namespace {

const TRgb kBodyWhite = Hex(0xF2EEE4);
const TRgb kMallardGreen = Hex(0x1F8A4C);
const TRgb kBeakOrange = Hex(0xF6A21A);
const TRgb kWingBrown = Hex(0x9A6A3A);
const TRgb kGunMetal = Hex(0x4A5058);

void Wing(cairo_t* cr, double x, double y, int beat, double scale) {
  // Up, level and down: the wing's tip swings about its root.
  const double angles[] = {-0.7, -0.1, 0.45};
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angles[beat % 3]);
  cairo_scale(cr, scale, scale);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, -10, -26, -34, -30, -40, -22);
  cairo_curve_to(cr, -30, -14, -20, -4, 0, 6);
  cairo_close_path(cr);
  FillInked(cr, kWingBrown);
  cairo_move_to(cr, -14, -12);
  cairo_line_to(cr, -32, -20);
  SetColour(cr, Hex(0x6B4526));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void DrawJetFlame(cairo_t* cr, double w, double h, int phase) {
  const double flicker = 0.75 + 0.08 * ((phase * 3) % 4);
  const double cy = h / 2;
  cairo_move_to(cr, w, cy - h * 0.3);
  cairo_curve_to(cr, w * 0.6, cy - h * 0.35, w * (1 - flicker), cy - h * 0.1, w * (1 - flicker),
                 cy);
  cairo_curve_to(cr, w * (1 - flicker), cy + h * 0.1, w * 0.6, cy + h * 0.35, w, cy + h * 0.3);
  cairo_close_path(cr);
  SetColour(cr, Hex(0xFF6A1A));
  cairo_fill(cr);
  Ellipse(cr, w * 0.8, cy, w * 0.25 * flicker, h * 0.16);
  SetColour(cr, Hex(0xFFE35A));
  cairo_fill(cr);
}

void DrawDuckCraft(cairo_t* cr, int wing, bool firing, bool armed) {
  // Tail feathers and the far wing behind the body.
  Polygon(cr, {{22, 40}, {4, 28}, {8, 44}, {3, 56}, {24, 50}});
  FillInked(cr, Hex(0x3B3B46));
  Wing(cr, 52, 34, (wing + 1) % 3, 0.8);
  // The gun under the body: its muzzle is where the shots start (+85, +47).
  RoundRect(cr, 58, 44, 28, 6, 2);
  FillInked(cr, kGunMetal, 1.5);
  InkedEllipse(cr, 52, 46, 34, 19, kBodyWhite);
  // A chestnut breast, the mallard's.
  Ellipse(cr, 74, 46, 14, 14);
  SetColour(cr, Hex(0x8C3B22));
  cairo_fill(cr);
  // Neck ring, head, goggles and beak.
  InkedEllipse(cr, 86, 28, 15, 14, kMallardGreen);
  cairo_arc(cr, 86, 28, 15, 0.6, 1.6);
  SetColour(cr, Hex(0xFFFFFF));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  Polygon(cr, {{98, 26}, {114, 30}, {112, 34}, {98, 35}});
  FillInked(cr, kBeakOrange);
  RoundRect(cr, 80, 15, 14, 8, 3);
  FillInked(cr, Hex(0x6B4A2A), 1.5);
  Eye(cr, 91, 26, 4.5, 0.4);
  Wing(cr, 50, 40, wing, 1.0);
  if (armed) {
    // The rocket pod under the wing: rockets leave at (+110, +59).
    RoundRect(cr, 70, 55, 34, 8, 4);
    FillInked(cr, Hex(0x7A8A3A), 1.5);
    Polygon(cr, {{104, 55}, {111, 59}, {104, 63}});
    FillInked(cr, Hex(0xD23A2A), 1.5);
  }
  if (firing) {
    Polygon(cr, {{85, 47}, {96, 40}, {93, 46}, {100, 47}, {93, 48}, {96, 54}});
    SetColour(cr, Hex(0xFFE35A));
    cairo_fill(cr);
  }
}

void DrawHeroDuck(cairo_t* cr) {
  // A duckling with a jet pack; the flame (HeroAnim) is drawn to its left.
  RoundRect(cr, 1, 14, 12, 12, 3);
  FillInked(cr, kGunMetal, 1.5);
  InkedEllipse(cr, 25, 30, 19, 13, Hex(0xF7D64A));
  InkedEllipse(cr, 41, 17, 10, 10, Hex(0xF7D64A));
  Polygon(cr, {{49, 15}, {55, 18}, {49, 22}});
  FillInked(cr, kBeakOrange, 1.5);
  Eye(cr, 43, 15, 3.2, 0.4);
  // A little helmet.
  cairo_arc(cr, 40, 12, 9, M_PI, 2 * M_PI);
  cairo_close_path(cr);
  FillInked(cr, Hex(0x3A6AC8), 1.5);
  Wing(cr, 24, 28, 1, 0.5);
}

}  // namespace assetgen
