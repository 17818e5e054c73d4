#include <cmath>

#include "art.h"
#include "image_set.h"
#include "lists.h"

namespace assetgen {

namespace {

constexpr int kSkyWidth = 267, kSkyHeight = 600;
constexpr int kHillsWidth = 800;
constexpr int kFrontHillsHeight = 106, kBackHillsHeight = 156;

void Cloud(cairo_t* cr, double x, double y, double size) {
  for (int i = 0; i < 5; ++i) {
    const double dx = (i - 2) * size * 0.45;
    const double r = size * (0.45 - std::abs(i - 2) * 0.08);
    Ellipse(cr, x + dx, y - r * 0.3, r, r * 0.8);
  }
  SetColour(cr, Hex(0xFFFFFF), 0.92);
  cairo_fill(cr);
}

void DrawSky(cairo_t* cr) {
  VerticalGradient(cr, 0, 0, kSkyWidth, kSkyHeight, Hex(0x3C8AE0), Hex(0xBFE6FA));
  // Clouds stay clear of the tile's sides, so four tiles join without a seam.
  Cloud(cr, 70, 110, 60);
  Cloud(cr, 190, 230, 44);
  Cloud(cr, 110, 370, 36);
}

// A ridge line made of whole waves over the tile, so the tile's two ends meet.
double Ridge(double x, double a, double b, int waves1, int waves2, double phase) {
  const double t = x / kHillsWidth * 2 * M_PI;
  return a * std::sin(waves1 * t + phase) + b * std::sin(waves2 * t + phase * 2.1);
}

void DrawHills(cairo_t* cr, int height, TRgb top, TRgb bottom, double amplitude, int seed,
               bool grass) {
  const double base = amplitude * 1.6 + 4;
  cairo_move_to(cr, 0, height);
  for (int x = 0; x <= kHillsWidth; x += 4)
    cairo_line_to(cr, x, base + Ridge(x, amplitude, amplitude * 0.4, 2, 5, seed));
  cairo_line_to(cr, kHillsWidth, height);
  cairo_close_path(cr);
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  // Only the ridge is outlined: a line down the tile's sides would show where tiles meet.
  cairo_move_to(cr, 0, base + Ridge(0, amplitude, amplitude * 0.4, 2, 5, seed));
  for (int x = 4; x <= kHillsWidth; x += 4)
    cairo_line_to(cr, x, base + Ridge(x, amplitude, amplitude * 0.4, 2, 5, seed));
  SetColour(cr, Mix(top, kInk, 0.5));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  if (!grass) return;
  TRandom random(static_cast<uint32_t>(seed) * 7919u);
  for (int i = 0; i < 90; ++i) {
    const double x = random.Range(6, kHillsWidth - 6);
    const double y =
        base + Ridge(x, amplitude, amplitude * 0.4, 2, 5, seed) + random.Range(8, height - base);
    // One draw a statement: a call's arguments are worked out in the compiler's own order, and
    // every build must draw the same ground.
    const double radiusY = random.Range(1, 2);
    const double radiusX = random.Range(2, 4);
    Ellipse(cr, x, y, radiusX, radiusY);
    SetColour(cr, random.Next() < 0.15 ? Hex(0xFFF06A) : Mix(bottom, top, 0.3));
    cairo_fill(cr);
  }
}

}  // namespace

void AddWorldImages(engine::TPictureCollection& list) {
  TDrawnImage sky = Single("SkyTile", kSkyWidth, kSkyHeight, [](cairo_t* cr, int) { DrawSky(cr); });
  sky.transparent = false;
  sky.systemMemory = true;
  AddImage(list, sky);
  AddImage(list, Single("Hills2", kHillsWidth, kBackHillsHeight, [](cairo_t* cr, int) {
             DrawHills(cr, kBackHillsHeight, Hex(0x6AA86A), Hex(0x3E7A58), 22, 3, false);
           }));
  AddImage(list, Single("Hills1", kHillsWidth, kFrontHillsHeight, [](cairo_t* cr, int) {
             DrawHills(cr, kFrontHillsHeight, Hex(0x7CCB46), Hex(0x3E8A2E), 12, 1, true);
           }));
}

}  // namespace assetgen
