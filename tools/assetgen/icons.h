#pragma once

#include <cairo.h>

namespace assetgen {

// The symbol of a bonus kind (0..9, as the bonuses number them), centred on (cx, cy) in a
// box of about size × size: bonuses, the help page and the panel's weapon icons share it.
void DrawBonusIcon(cairo_t* cr, int kind, double cx, double cy, double size);
// A rocket pointing right, length × its fifth.
void DrawRocket(cairo_t* cr, double x, double y, double length);

}  // namespace assetgen
