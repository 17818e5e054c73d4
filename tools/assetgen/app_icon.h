#pragma once

#include <cairo.h>

#include <string>

#include "engine/picture_collection.h"

namespace assetgen {

// The game's icon: the fighting duck's head on a round sky, size × size.
void DrawAppIcon(cairo_t* cr, double size);
// The window's icon, as the image "AppIcon" of the first list (64 × 64).
void AddAppIconImage(engine::TPictureCollection& list);
// The launcher's icons in the freedesktop sizes: DIR/hicolor/NxN/apps/NAME.png.
void WriteIconTheme(const std::string& dir, const std::string& name);

}  // namespace assetgen
