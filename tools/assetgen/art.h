#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Drawing the game's pictures: a Cairo canvas per picture, cartoon helpers (shapes with an
// ink outline), and the step that turns antialiased art into colour-keyed pixels.
namespace assetgen {

// The colour pictures leave out (fuchsia), as 0x00RRGGBB surface pixels.
constexpr uint32_t kKeyPixel = 0xFF00FF;

struct TRgb {
  double r = 0, g = 0, b = 0;
};
// 0xRRGGBB.
TRgb Hex(uint32_t rgb);
TRgb Mix(TRgb a, TRgb b, double t);

// One picture being drawn, transparent where nothing was drawn.
class TArt {
 public:
  TArt(int width, int height);
  ~TArt();
  TArt(const TArt&) = delete;
  TArt& operator=(const TArt&) = delete;

  cairo_t* Cr() const { return cr_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Each pixel either opaque in its own colour (no blend with the key, so no fringe of key
  // colour shows on any background) or the key: half coverage is the line between them.
  std::vector<uint32_t> Keyed() const;
  // Every pixel opaque: the art over black where nothing was drawn.
  std::vector<uint32_t> Opaque() const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

constexpr TRgb kInk{0.12, 0.10, 0.14};
constexpr double kInkWidth = 2.0;

void SetColour(cairo_t* cr, TRgb c, double alpha = 1.0);
// Fills the current path and outlines it in ink.
void FillInked(cairo_t* cr, TRgb fill, double inkWidth = kInkWidth);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Polygon(cairo_t* cr, const std::vector<std::pair<double, double>>& points);
void InkedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, TRgb fill);
void Eye(cairo_t* cr, double cx, double cy, double r, double lookX = 0.3);
// A vertical gradient over a rectangle.
void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, TRgb top, TRgb bottom);

// Fills the current path (keeping it) with a vertical gradient from y0 to y1.
void FillGradientPreserve(cairo_t* cr, double y0, double y1, TRgb top, TRgb bottom);

// Text in a family found through fontconfig, size in pixels, UTF-8; (x, y) is the centre.
void CentredText(cairo_t* cr, const std::string& family, double size, bool bold,
                 const std::string& utf8, double x, double y, TRgb fill, TRgb outline,
                 double outlineWidth);

// A small seeded generator so that every run draws the same scatter of clouds and grass.
class TRandom {
 public:
  explicit TRandom(uint32_t seed) : state_(seed ? seed : 1) {}
  double Next();  // [0, 1)
  double Range(double low, double high) { return low + (high - low) * Next(); }

 private:
  uint32_t state_;
};

}  // namespace assetgen
