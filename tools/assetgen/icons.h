#pragma once

#include <cairo.h>

#include "objects/bonus_kind.h"

namespace assetgen {

// The symbol of a bonus kind, centred on (cx, cy) in a box of about size × size: bonuses, the
// help page and the panel's weapon icons share it.
void DrawBonusIcon(cairo_t* cr, objects::TBonusKind kind, double cx, double cy, double size);
// A rocket pointing right, length × its fifth.
void DrawRocket(cairo_t* cr, double x, double y, double length);

}  // namespace assetgen
