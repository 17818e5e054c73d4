#include "actors.h"
#include "art.h"
#include "icons.h"
#include "image_set.h"
#include "lists.h"
#include "objects/weapons.h"

namespace assetgen {

namespace {

constexpr int kStripWidth = 800, kStripHeight = 44;
constexpr int kWeaponIconWidth = 44, kWeaponIconHeight = 32;

void Slot(cairo_t* cr, double x, double y, double w, double h) {
  RoundRect(cr, x, y, w, h, 6);
  SetColour(cr, Hex(0x1E3A5A));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x8AB4DA));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void DrawStrip(cairo_t* cr) {
  // The playfield starts below y 44; the strip's places: three lives from x 28 at 51 apart,
  // the wingman at 192, weapons from 267, the score round x 633 and the level round 770.
  VerticalGradient(cr, 0, 0, kStripWidth, kStripHeight - 2, Hex(0x3A6A9A), Hex(0x23466E));
  cairo_rectangle(cr, 0, kStripHeight - 3, kStripWidth, 3);
  SetColour(cr, Hex(0xE8B43A));
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) Slot(cr, 26 + 51 * i, 3, 44, 38);
  Slot(cr, 189, 3, 61, 38);
  Slot(cr, 264, 3, 242, 38);
  Slot(cr, 578, 5, 110, 34);
  Slot(cr, 742, 5, 56, 34);
  CentredText(cr, "PT Sans", 13, true, "ОЧКИ", 544, 22, Hex(0xE8B43A), Hex(0), 0);
  CentredText(cr, "PT Sans", 13, true, "УР.", 720, 22, Hex(0xE8B43A), Hex(0), 0);
}

TDrawnImage WeaponIcon(const std::string& name, objects::TBonusKind kind) {
  return Single(name, kWeaponIconWidth, kWeaponIconHeight, [kind](cairo_t* cr, int) {
    DrawBonusIcon(cr, kind, kWeaponIconWidth / 2.0, kWeaponIconHeight / 2.0, 28);
  });
}

}  // namespace

void AddHudImages(engine::TPictureCollection& list) {
  AddImage(list,
           Single("Panels", kStripWidth, kStripHeight, [](cairo_t* cr, int) { DrawStrip(cr); }));
  AddImage(list, Single("PanelLife", 40, 36, [](cairo_t* cr, int) {
             cairo_translate(cr, 1, 4);
             cairo_scale(cr, 0.34, 0.34);
             DrawDuckCraft(cr, 1, false, false);
           }));
  AddImage(list, Single("PanelHero", 55, 36, [](cairo_t* cr, int) {
             cairo_translate(cr, 10, 2);
             cairo_scale(cr, 0.68, 0.68);
             DrawHeroDuck(cr);
           }));
  for (const objects::TWeapon& weapon : objects::kWeapons)
    if (weapon.panelIcon) AddImage(list, WeaponIcon(weapon.panelIcon, weapon.kind));
  // No special weapon: the place stays empty.
  AddImage(list, Single("Null", kWeaponIconWidth, kWeaponIconHeight, [](cairo_t*, int) {}));
}

}  // namespace assetgen
