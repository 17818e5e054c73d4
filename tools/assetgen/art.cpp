#include "art.h"

#include <cmath>

namespace assetgen {

TRgb Hex(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

TRgb Mix(TRgb a, TRgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

TArt::TArt(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

TArt::~TArt() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {

// Cairo keeps premultiplied 0xAARRGGBB; the colour is divided back out.
uint32_t Unpremultiplied(uint32_t argb) {
  const uint32_t a = argb >> 24;
  if (a == 0) return 0;
  auto channel = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
         channel(argb & 0xFF);
}

// Every pixel of the drawing, top row first, through convert (premultiplied 0xAARRGGBB in).
template <typename TConvert>
std::vector<uint32_t> ReadPixels(cairo_surface_t* surface, TConvert convert) {
  cairo_surface_flush(surface);
  const uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = convert(row[x]);
  }
  return pixels;
}

}  // namespace

std::vector<uint32_t> TArt::Keyed() const {
  return ReadPixels(surface_, [](uint32_t argb) {
    if ((argb >> 24) < 128) return kKeyPixel;
    const uint32_t p = Unpremultiplied(argb);
    return p == kKeyPixel ? 0xFE00FEu : p;  // art never takes the key's exact colour
  });
}

std::vector<uint32_t> TArt::Opaque() const {
  return ReadPixels(surface_, [](uint32_t argb) { return argb & 0xFFFFFF; });
}

void SetColour(cairo_t* cr, TRgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void FillInked(cairo_t* cr, TRgb fill, double inkWidth) {
  SetColour(cr, fill);
  cairo_fill_preserve(cr);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, inkWidth);
  cairo_stroke(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Polygon(cairo_t* cr, const std::vector<std::pair<double, double>>& points) {
  cairo_new_sub_path(cr);
  for (const auto& [x, y] : points) cairo_line_to(cr, x, y);
  cairo_close_path(cr);
}

void InkedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, TRgb fill) {
  Ellipse(cr, cx, cy, rx, ry);
  FillInked(cr, fill);
}

void Eye(cairo_t* cr, double cx, double cy, double r, double lookX) {
  Ellipse(cr, cx, cy, r, r * 1.1);
  FillInked(cr, Hex(0xFFFFFF), 1.5);
  Ellipse(cr, cx + lookX * r, cy, r * 0.5, r * 0.6);
  SetColour(cr, kInk);
  cairo_fill(cr);
  Ellipse(cr, cx + lookX * r + r * 0.18, cy - r * 0.25, r * 0.18, r * 0.18);
  SetColour(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

void FillGradientPreserve(cairo_t* cr, double y0, double y1, TRgb top, TRgb bottom) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, gradient);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gradient);
}

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, TRgb top, TRgb bottom) {
  cairo_rectangle(cr, x, y, w, h);
  FillGradientPreserve(cr, y, y + h, top, bottom);
  cairo_new_path(cr);
}

void CentredText(cairo_t* cr, const std::string& family, double size, bool bold,
                 const std::string& utf8, double x, double y, TRgb fill, TRgb outline,
                 double outlineWidth) {
  cairo_save(cr);
  cairo_select_font_face(cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, utf8.c_str(), &extents);
  cairo_move_to(cr, x - extents.width / 2 - extents.x_bearing,
                y - extents.height / 2 - extents.y_bearing);
  cairo_text_path(cr, utf8.c_str());
  if (outlineWidth > 0) {
    SetColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

double TRandom::Next() {
  // xorshift32: small, fast and the same everywhere.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return (state_ >> 8) / 16777216.0;
}

}  // namespace assetgen
