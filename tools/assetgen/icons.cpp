#include "icons.h"

#include <cmath>

#include "art.h"

namespace assetgen {

namespace {

void Bullet(cairo_t* cr, double x, double y, double s, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, -s * 0.5, -s * 0.16);
  cairo_line_to(cr, s * 0.2, -s * 0.16);
  cairo_curve_to(cr, s * 0.45, -s * 0.16, s * 0.5, 0, s * 0.5, 0);
  cairo_curve_to(cr, s * 0.5, 0, s * 0.45, s * 0.16, s * 0.2, s * 0.16);
  cairo_line_to(cr, -s * 0.5, s * 0.16);
  cairo_close_path(cr);
  FillInked(cr, Hex(0xE8B43A), 1.2);
  cairo_restore(cr);
}

void Heart(cairo_t* cr, double cx, double cy, double s) {
  cairo_move_to(cr, cx, cy + s * 0.4);
  cairo_curve_to(cr, cx - s * 0.6, cy, cx - s * 0.45, cy - s * 0.45, cx, cy - s * 0.15);
  cairo_curve_to(cr, cx + s * 0.45, cy - s * 0.45, cx + s * 0.6, cy, cx, cy + s * 0.4);
  FillInked(cr, Hex(0xE8324A), 1.5);
}

void Bomb(cairo_t* cr, double cx, double cy, double s) {
  InkedEllipse(cr, cx - s * 0.05, cy + s * 0.05, s * 0.36, s * 0.36, Hex(0x2E2E3A));
  cairo_move_to(cr, cx + s * 0.18, cy - s * 0.22);
  cairo_curve_to(cr, cx + s * 0.3, cy - s * 0.4, cx + s * 0.4, cy - s * 0.3, cx + s * 0.42,
                 cy - s * 0.44);
  SetColour(cr, Hex(0x8A6A3A));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  Ellipse(cr, cx + s * 0.42, cy - s * 0.44, s * 0.08, s * 0.08);
  SetColour(cr, Hex(0xFFB02A));
  cairo_fill(cr);
}

void Coin(cairo_t* cr, double cx, double cy, double s) {
  InkedEllipse(cr, cx, cy, s * 0.4, s * 0.4, Hex(0xF2C230));
  CentredText(cr, "PT Sans", s * 0.42, true, "$", cx, cy, Hex(0xA8701A), Hex(0), 0);
}

void DuckHead(cairo_t* cr, double cx, double cy, double s) {
  InkedEllipse(cr, cx - s * 0.05, cy, s * 0.32, s * 0.3, Hex(0xF7D64A));
  Polygon(cr, {{cx + s * 0.22, cy - s * 0.02},
               {cx + s * 0.48, cy + s * 0.06},
               {cx + s * 0.22, cy + s * 0.16}});
  FillInked(cr, Hex(0xF6A21A), 1.2);
  Eye(cr, cx + s * 0.05, cy - s * 0.06, s * 0.08, 0.4);
}

}  // namespace

void DrawRocket(cairo_t* cr, double x, double y, double length) {
  const double r = length / 5;
  Polygon(cr, {{x, y - r},
               {x + length * 0.7, y - r * 0.6},
               {x + length, y},
               {x + length * 0.7, y + r * 0.6},
               {x, y + r}});
  FillInked(cr, Hex(0xD8DCE2), 1.2);
  Polygon(cr,
          {{x + length * 0.78, y - r * 0.45}, {x + length, y}, {x + length * 0.78, y + r * 0.45}});
  SetColour(cr, Hex(0xD23A2A));
  cairo_fill(cr);
  Polygon(cr, {{x, y - r}, {x - r * 0.6, y - r * 1.8}, {x + r, y - r * 0.8}});
  FillInked(cr, Hex(0xD23A2A), 1.0);
  Polygon(cr, {{x, y + r}, {x - r * 0.6, y + r * 1.8}, {x + r, y + r * 0.8}});
  FillInked(cr, Hex(0xD23A2A), 1.0);
}

void DrawBonusIcon(cairo_t* cr, objects::TBonusKind kind, double cx, double cy, double s) {
  using enum objects::TBonusKind;
  switch (kind) {
    case Score:
      Coin(cr, cx, cy, s);
      break;
    case RocketLauncher:
      DrawRocket(cr, cx - s * 0.4, cy, s * 0.8);
      break;
    case Hero:
      DuckHead(cr, cx, cy, s);
      break;
    case MegaBomb:
      Bomb(cr, cx, cy, s);
      break;
    case Life:
      Heart(cr, cx, cy, s);
      break;
    case RapidGun:
      Bullet(cr, cx, cy, s * 0.8, 0);
      break;
    case DoubleGun:
      for (int i = -1; i <= 1; ++i) Bullet(cr, cx, cy + i * s * 0.28, s * 0.7, i * 0.2);
      break;
    case TripleRocket:
      for (int i = -1; i <= 1; ++i) DrawRocket(cr, cx - s * 0.35, cy + i * s * 0.3, s * 0.65);
      break;
    default:  // the plain gun: a star
      Polygon(cr, {{cx, cy - s * 0.38},
                   {cx + s * 0.11, cy - s * 0.12},
                   {cx + s * 0.38, cy - s * 0.1},
                   {cx + s * 0.16, cy + s * 0.08},
                   {cx + s * 0.24, cy + s * 0.36},
                   {cx, cy + s * 0.2},
                   {cx - s * 0.24, cy + s * 0.36},
                   {cx - s * 0.16, cy + s * 0.08},
                   {cx - s * 0.38, cy - s * 0.1},
                   {cx - s * 0.11, cy - s * 0.12}});
      FillInked(cr, Hex(0xFFE35A), 1.2);
      break;
  }
}

}  // namespace assetgen
