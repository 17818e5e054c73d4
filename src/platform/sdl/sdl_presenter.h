#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

namespace platform {

// Puts the game's picture on the window's own surface (shared memory on X11), one to one in a
// window and scaled by whole factors and letterboxed when the window is larger (full screen on
// a desktop that has no 800 × 600 mode, a HiDPI screen). This costs a copy a frame and no GPU
// emulation where there is no GPU.
class TSdlPresenter {
 public:
  // False when the window has no surface to draw on (it is lost until one can be had).
  bool Present(SDL_Window* window, const uint32_t* pixels, int width, int height);
  // Window pixels to picture pixels and back, for mouse positions.
  TPoint ToPicture(int x, int y) const;
  TPoint FromPicture(int x, int y) const;
  // Whether a window pixel shows the picture rather than the border around it (every pixel
  // does until a picture has been placed).
  bool OnPicture(int x, int y) const;

  // Where a picture of width × height goes in a window of that size.
  void Place(int windowWidth, int windowHeight, int width, int height);
  const SDL_Rect& Target() const { return target_; }

 private:
  SDL_Rect target_{0, 0, 0, 0};  // where the picture lands in the window
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
};

}  // namespace platform
