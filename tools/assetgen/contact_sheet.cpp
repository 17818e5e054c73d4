#include "contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <stdexcept>

#include "art.h"

namespace assetgen {

namespace {

constexpr int kSheetWidth = 1800;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 18;
constexpr int kLargestShown = 420;  // bigger pictures are shown scaled down

struct TPlaced {
  const engine::TPictureCollectionItem* item;
  double x, y, scale;
};

double ScaleOf(const engine::TPictureCollectionItem& item) {
  const int side = std::max(item.Picture.Width(), item.Picture.Height());
  return side > kLargestShown ? double(kLargestShown) / side : 1.0;
}

std::vector<TPlaced> Place(const std::vector<const engine::TPictureCollection*>& lists,
                           int& height) {
  std::vector<TPlaced> placed;
  double x = kMargin, y = kMargin, rowHeight = 0;
  for (const auto* list : lists) {
    for (int i = 0; i < list->Count(); ++i) {
      const auto& item = list->Items(i);
      const double s = ScaleOf(item);
      const double w = std::max(item.Picture.Width() * s, 90.0);
      const double h = item.Picture.Height() * s + kLabelHeight;
      if (x + w > kSheetWidth - kMargin) {
        x = kMargin;
        y += rowHeight + kMargin;
        rowHeight = 0;
      }
      placed.push_back({&item, x, y, s});
      x += w + kMargin;
      rowHeight = std::max(rowHeight, h);
    }
    x = kMargin;  // each list starts a new row
    y += rowHeight + kMargin * 3;
    rowHeight = 0;
  }
  height = static_cast<int>(y) + kMargin;
  return placed;
}

cairo_surface_t* PictureSurface(const engine::TPictureCollectionItem& item) {
  const engine::TDIB& picture = item.Picture;
  cairo_surface_t* s =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.Width(), picture.Height());
  uint8_t* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  const uint32_t keyPixel = item.TransparentPixel();
  for (int y = 0; y < picture.Height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t p = picture.Pixel(x, y);
      row[x] = item.Transparent && p == keyPixel ? 0 : 0xFF000000 | p;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

void DrawEntry(cairo_t* cr, const TPlaced& at) {
  const auto& item = *at.item;
  const double w = item.Picture.Width() * at.scale, h = item.Picture.Height() * at.scale;
  cairo_save(cr);
  cairo_translate(cr, at.x, at.y);
  for (double cy = 0; cy < h; cy += 8)
    for (double cx = 0; cx < w; cx += 8) {
      cairo_rectangle(cr, cx, cy, std::min(8.0, w - cx), std::min(8.0, h - cy));
      const bool dark = (static_cast<int>(cx / 8) + static_cast<int>(cy / 8)) % 2;
      cairo_set_source_rgb(cr, dark ? 0.78 : 0.9, dark ? 0.78 : 0.9, dark ? 0.78 : 0.9);
      cairo_fill(cr);
    }
  cairo_surface_t* picture = PictureSurface(item);
  cairo_save(cr);
  cairo_scale(cr, at.scale, at.scale);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(picture);
  // The pattern grid: each pattern's box in red.
  const int count = item.PatternCount();
  const int cw = item.Width() + item.SkipWidth, ch = item.Height() + item.SkipHeight;
  const int columns = cw > 0 ? std::max(1, (item.Picture.Width() + item.SkipWidth) / cw) : 1;
  for (int i = 0; i < count && count > 1; ++i) {
    cairo_rectangle(cr, (i % columns) * cw * at.scale + 0.5, (i / columns) * ch * at.scale + 0.5,
                    item.Width() * at.scale - 1, item.Height() * at.scale - 1);
    cairo_set_source_rgba(cr, 0.9, 0.1, 0.1, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  cairo_move_to(cr, 0, h + 13);
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.15);
  const std::string label = item.Name() + " ×" + std::to_string(count);
  cairo_show_text(cr, label.c_str());
  cairo_restore(cr);
}

}  // namespace

void WriteContactSheet(const std::vector<const engine::TPictureCollection*>& lists,
                       const std::string& path) {
  int height = 0;
  const auto placed = Place(lists, height);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  for (const TPlaced& at : placed) DrawEntry(cr, at);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, path.c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetgen
