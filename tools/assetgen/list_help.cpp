#include "actors.h"
#include "art.h"
#include "image_set.h"
#include "lists.h"

namespace assetgen {

namespace {

constexpr int kLogoSize = 124;
constexpr double kLogoCraftScale = 0.85;

// A help picture: one of the cast, scaled into a small frame beside its line of text.
TDrawnImage Thumbnail(const std::string& name, int width, int height, double scale,
                      std::function<void(cairo_t*)> draw) {
  return Single(name, width, height, [=](cairo_t* cr, int) {
    cairo_scale(cr, scale, scale);
    draw(cr);
  });
}

}  // namespace

void AddHelpImages(engine::TPictureCollection& list) {
  AddImage(list, Thumbnail("HelpAirplane", 55, 25, 0.5, [](cairo_t* cr) { DrawAirplane(cr); }));
  AddImage(list,
           Thumbnail("HelpBird", 59, 41, 0.45, [](cairo_t* cr) { DrawStork(cr, 0, 1, false); }));
  AddImage(list,
           Thumbnail("HelpDog", 28, 47, 0.35, [](cairo_t* cr) { DrawBalloonDog(cr, 1, false); }));
  AddImage(list, Thumbnail("HelpHelicopter", 60, 30, 0.5, [](cairo_t* cr) { DrawHelicopter(cr); }));
  AddImage(list,
           Thumbnail("HelpHunter", 44, 44, 0.4, [](cairo_t* cr) { DrawHunter(cr, 0, false); }));
  // The last page writes the title, the release line and the address from x 390 down to
  // y 450; the logo stands at (248, 374) and keeps to the room left of them.
  AddImage(list, Single("HelpLogo", kLogoSize, kLogoSize, [](cairo_t* cr, int) {
             const double centre = kLogoSize / 2.0;
             Ellipse(cr, centre, centre, centre - 3, centre - 3);
             FillGradientPreserve(cr, 0, kLogoSize, Hex(0xCFEFFF), Hex(0x2E7AD6));
             SetColour(cr, Hex(0x5A1E0A));
             cairo_set_line_width(cr, 4);
             cairo_stroke(cr);
             cairo_save(cr);
             cairo_translate(cr, centre - 57 * kLogoCraftScale, centre - 38 * kLogoCraftScale);
             cairo_scale(cr, kLogoCraftScale, kLogoCraftScale);
             DrawDuckCraft(cr, 1, false, false);
             cairo_restore(cr);
           }));
}

}  // namespace assetgen
