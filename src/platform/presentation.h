#pragma once

#include "platform/picture_scaler.h"

namespace platform {

// How the picture reaches the screen.
enum class TRenderer {
  Auto,     // the GPU where it is hardware, the window's own surface elsewhere
  Gpu,      // SDL's renderer, even where it is emulated in software
  Surface,  // the window's own surface, scaled on the processor
};

struct TPresentation {
  TScaleMode scale = TScaleMode::Sharp;
  // The window is this many times 800 × 600; 0 lets the display choose (see WindowScaleFor).
  int windowScale = 0;
  bool vsync = true;
  TRenderer renderer = TRenderer::Auto;
};

// The window scale a display suggests: on a dense display (144 dots an inch or more) the
// largest whole factor whose window fits in 90 % of the usable height (and in the width),
// else 1.
int WindowScaleFor(float dotsPerInch, int usableWidth, int usableHeight, int pictureWidth,
                   int pictureHeight);

struct TSize {
  int width = 0;
  int height = 0;
  bool operator==(const TSize&) const = default;
};

// The window for the picture shown `scale` times: that size where it fits in the desktop's
// usable area with the window manager's frame around it, else the largest of the picture's
// shape that does (the picture is then shown smaller). A usable area of no size is unknown.
TSize WindowSizeFor(int scale, TSize usable, TSize frame, TSize picture);

}  // namespace platform
