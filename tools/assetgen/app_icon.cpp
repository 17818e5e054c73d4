#include "app_icon.h"

#include <filesystem>
#include <stdexcept>

#include "actors.h"
#include "art.h"
#include "image_set.h"

namespace assetgen {

namespace {

constexpr int kWindowIconSize = 64;
constexpr int kThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace

void DrawAppIcon(cairo_t* cr, double size) {
  const double c = size / 2;
  Ellipse(cr, c, c, c - 1, c - 1);
  FillGradientPreserve(cr, 0, size, Hex(0x3C8AE0), Hex(0xBFE6FA));
  SetColour(cr, Hex(0x14304E));
  cairo_set_line_width(cr, size / 32);
  cairo_stroke(cr);
  // The craft's head and beak fill the circle: the drawing's head sits round (86, 28).
  cairo_save(cr);
  const double scale = size / 48.0;
  cairo_translate(cr, c - 86 * scale + size * 0.06, c - 28 * scale);
  cairo_scale(cr, scale, scale);
  InkedEllipse(cr, 86, 28, 15, 14, Hex(0x1F8A4C));
  Polygon(cr, {{98, 26}, {114, 30}, {112, 34}, {98, 35}});
  FillInked(cr, Hex(0xF6A21A));
  RoundRect(cr, 80, 15, 14, 8, 3);
  FillInked(cr, Hex(0x6B4A2A), 1.5);
  Eye(cr, 91, 26, 4.5, 0.4);
  cairo_restore(cr);
}

void AddAppIconImage(engine::TPictureCollection& list) {
  AddImage(list, Single("AppIcon", kWindowIconSize, kWindowIconSize,
                        [](cairo_t* cr, int) { DrawAppIcon(cr, kWindowIconSize); }));
}

void WriteIconTheme(const std::string& dir, const std::string& name) {
  for (int size : kThemeSizes) {
    const std::string side = std::to_string(size);
    const std::filesystem::path folder =
        std::filesystem::path(dir) / "hicolor" / (side + "x" + side) / "apps";
    std::filesystem::create_directories(folder);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    DrawAppIcon(cr, size);
    cairo_destroy(cr);
    const std::string path = (folder / (name + ".png")).string();
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace assetgen
