#include <cmath>

#include "actors.h"
#include "art.h"

namespace assetgen {

void DrawAirplane(cairo_t* cr) {
  // A red monoplane flying left; the propeller (MAirplaneAnim) turns at its nose (−6, +10).
  Polygon(cr, {{96, 20}, {108, 4}, {110, 26}});  // tail fin
  FillInked(cr, Hex(0xB8282A));
  cairo_move_to(cr, 4, 28);
  cairo_curve_to(cr, 4, 16, 20, 14, 40, 16);
  cairo_line_to(cr, 104, 22);
  cairo_line_to(cr, 104, 30);
  cairo_curve_to(cr, 60, 40, 20, 42, 4, 34);
  cairo_close_path(cr);
  FillInked(cr, Hex(0xE23A32));
  Polygon(cr, {{28, 28}, {62, 30}, {70, 46}, {40, 46}});  // wing
  FillInked(cr, Hex(0xB8282A));
  RoundRect(cr, 24, 12, 22, 10, 5);  // canopy with a snarling pilot dog's ears
  FillInked(cr, Hex(0x9ED6F0), 1.5);
  Polygon(cr, {{30, 12}, {33, 5}, {36, 12}});
  FillInked(cr, Hex(0x7A5230), 1.5);
  RoundRect(cr, 0, 22, 8, 12, 3);  // the hub
  FillInked(cr, Hex(0x4A5058), 1.5);
  cairo_arc(cr, 84, 26, 5, 0, 2 * M_PI);
  SetColour(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

void DrawPropeller(cairo_t* cr, int phase) {
  const double spread = std::abs(std::cos(phase * M_PI / 4));
  Ellipse(cr, 6, 18, 3, 4 + 14 * spread);
  SetColour(cr, Hex(0x6A6A72), 0.9);
  cairo_fill(cr);
  Ellipse(cr, 6, 18, 2, 2);
  SetColour(cr, kInk);
  cairo_fill(cr);
}

void DrawStork(cairo_t* cr, int wing, int beak, bool falling) {
  cairo_save(cr);
  if (falling) {
    cairo_translate(cr, kStorkWidth / 2.0, kStorkHeight / 2.0);
    cairo_rotate(cr, 0.5 + 0.25 * wing);
    cairo_translate(cr, -kStorkWidth / 2.0, -kStorkHeight / 2.0);
  }
  // Legs trail behind, to the right.
  cairo_move_to(cr, 88, 60);
  cairo_line_to(cr, 128, 66);
  cairo_move_to(cr, 88, 64);
  cairo_line_to(cr, 126, 72);
  SetColour(cr, Hex(0xE2572A));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  InkedEllipse(cr, 76, 56, 26, 14, Hex(0xFAFAF6));
  // The wing beats over the body.
  const double tip[] = {12, 40, 78};
  cairo_move_to(cr, 64, 52);
  cairo_curve_to(cr, 70, tip[wing % 3], 92, tip[wing % 3], 110, tip[wing % 3] + 4);
  cairo_curve_to(cr, 100, 56, 90, 62, 70, 60);
  cairo_close_path(cr);
  FillInked(cr, Hex(0xF0F0EA));
  cairo_move_to(cr, 96, tip[wing % 3] + 2);
  cairo_line_to(cr, 110, tip[wing % 3] + 4);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  // Neck and head reach forward; the beak at the left is the mouth line (y ≈ 60).
  cairo_move_to(cr, 54, 54);
  cairo_curve_to(cr, 44, 50, 40, 58, 30, 56);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 9);
  cairo_stroke_preserve(cr);
  SetColour(cr, Hex(0xFAFAF6));
  cairo_set_line_width(cr, 6);
  cairo_stroke(cr);
  InkedEllipse(cr, 28, 55, 8, 7, Hex(0xFAFAF6));
  const double gape[] = {0, 8, 4};
  Polygon(cr, {{22, 52}, {0, 58 - gape[beak % 3]}, {22, 56}});
  FillInked(cr, Hex(0xF06A2A), 1.5);
  Polygon(cr, {{22, 57}, {0, 60 + gape[beak % 3]}, {22, 61}});
  FillInked(cr, Hex(0xE2572A), 1.5);
  if (falling) {
    cairo_move_to(cr, 25, 51);
    cairo_line_to(cr, 31, 55);
    cairo_move_to(cr, 31, 51);
    cairo_line_to(cr, 25, 55);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  } else {
    Eye(cr, 27, 53, 3, -0.4);
  }
  cairo_restore(cr);
}

void DrawBalloonDog(cairo_t* cr, int swing, bool popped) {
  const double sway = (swing - 1) * 4.0;
  if (!popped) {
    InkedEllipse(cr, 40, 30, 28, 30, Hex(0xE8417A));
    Ellipse(cr, 30, 20, 7, 10);
    SetColour(cr, Hex(0xFFFFFF), 0.7);
    cairo_fill(cr);
    cairo_move_to(cr, 40, 60);
    cairo_line_to(cr, 40 + sway, 84);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  } else {
    // A burst balloon's rag above a dog with its ears up in fright.
    Polygon(cr, {{34, 52}, {40, 44}, {46, 52}, {44, 60}, {36, 60}});
    FillInked(cr, Hex(0xE8417A), 1.5);
  }
  cairo_save(cr);
  cairo_translate(cr, 40 + sway, 84);
  cairo_rotate(cr, popped ? 0.35 * (swing - 1) : sway / 40);
  // Body hangs below the string; the bomb drops from the left paw (+7, +130).
  InkedEllipse(cr, 0, 26, 17, 20, Hex(0xB8834A));
  InkedEllipse(cr, 0, 6, 14, 12, Hex(0xB8834A));
  Polygon(cr, {{-12, -2}, {-20, popped ? -14 : 10}, {-8, 4}});
  FillInked(cr, Hex(0x6B4526), 1.5);
  Polygon(cr, {{12, -2}, {20, popped ? -14 : 10}, {8, 4}});
  FillInked(cr, Hex(0x6B4526), 1.5);
  Eye(cr, -5, 4, 3, -0.3);
  Eye(cr, 5, 4, 3, -0.3);
  InkedEllipse(cr, 0, 12, 4, 3, kInk);
  cairo_move_to(cr, -10, 40);
  cairo_line_to(cr, -30, 44);
  cairo_move_to(cr, 10, 40);
  cairo_line_to(cr, 16, 48);
  SetColour(cr, Hex(0xB8834A));
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawHelicopter(cairo_t* cr) {
  // A green gunship flying left; its rotor (MHelicopterAnim) sits at (−15, −16), and its
  // rockets leave from the pod at the nose (−24, +43).
  RoundRect(cr, 70, 22, 48, 8, 4);  // tail boom
  FillInked(cr, Hex(0x3E7A3A));
  Polygon(cr, {{108, 8}, {118, 4}, {118, 30}, {110, 30}});
  FillInked(cr, Hex(0x3E7A3A));
  cairo_move_to(cr, 8, 30);
  cairo_curve_to(cr, 8, 8, 40, 4, 62, 10);
  cairo_curve_to(cr, 82, 16, 84, 40, 70, 46);
  cairo_line_to(cr, 20, 48);
  cairo_curve_to(cr, 10, 46, 8, 40, 8, 30);
  FillInked(cr, Hex(0x5A9A46));
  cairo_move_to(cr, 12, 26);
  cairo_curve_to(cr, 14, 14, 30, 12, 36, 14);
  cairo_line_to(cr, 36, 28);
  cairo_close_path(cr);
  FillInked(cr, Hex(0x9ED6F0), 1.5);
  RoundRect(cr, 55, 0, 10, 12, 2);  // mast under the rotor hub
  FillInked(cr, Hex(0x4A5058), 1.5);
  RoundRect(cr, 0, 40, 30, 7, 3);  // rocket pod
  FillInked(cr, Hex(0x4A5058), 1.5);
  cairo_move_to(cr, 20, 52);
  cairo_line_to(cr, 72, 52);
  cairo_move_to(cr, 30, 48);
  cairo_line_to(cr, 28, 52);
  cairo_move_to(cr, 60, 46);
  cairo_line_to(cr, 62, 52);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void DrawRotor(cairo_t* cr, int phase) {
  const double reach[] = {72, 50, 28};
  const double r = reach[phase % 3];
  Ellipse(cr, 75, 14, r, 3);
  SetColour(cr, Hex(0x3A3A42), 0.9);
  cairo_fill(cr);
  Ellipse(cr, 75, 14, 72, 5);
  SetColour(cr, Hex(0x3A3A42), 0.25 + 0.1 * phase);
  cairo_fill(cr);
}

}  // namespace assetgen
