#include "actors.h"
#include "art.h"
#include "image_set.h"
#include "lists.h"

namespace assetgen {

namespace {

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
  AddImage(list, Single("HelpLogo", 300, 120, [](cairo_t* cr, int) {
             CentredText(cr, "PT Sans", 54, true, "Перолёт", 175, 55, Hex(0xFFD24A), Hex(0x5A1E0A),
                         6);
             cairo_save(cr);
             cairo_translate(cr, 0, 58);
             cairo_scale(cr, 0.55, 0.55);
             DrawDuckCraft(cr, 1, false, false);
             cairo_restore(cr);
           }));
}

}  // namespace assetgen
