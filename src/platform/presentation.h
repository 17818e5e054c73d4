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

}  // namespace platform
