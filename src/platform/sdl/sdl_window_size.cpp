// The window's size: the picture times its scale, never larger than the desktop's usable area
// with the window manager's frame around it.
#include <algorithm>

#include "platform/sdl/sdl_platform.h"

namespace platform {

int TSdlPlatform::WindowScale(int width, int height) {
  if (presentation_.windowScale > 0) return presentation_.windowScale;
  float dotsPerInch = 0;
  SDL_Rect usable{};
  if (SDL_GetDisplayDPI(0, &dotsPerInch, nullptr, nullptr) != 0 ||
      SDL_GetDisplayUsableBounds(0, &usable) != 0)
    return 1;
  return WindowScaleFor(dotsPerInch, usable.w, usable.h, width, height);
}

// The desktop's usable area (without panels and docks) on the window's display; none when the
// system cannot tell.
SDL_Rect TSdlPlatform::UsableArea() const {
  const int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return SDL_Rect{};
  return usable;
}

// Before the frame is known the window is sized to fit the usable area without one.
void TSdlPlatform::ChooseWindowSize(int width, int height) {
  picture_ = {width, height};
  windowScale_ = WindowScale(width, height);
  const SDL_Rect usable = UsableArea();
  windowSize_ = WindowSizeFor(windowScale_, {usable.w, usable.h}, {}, picture_);
}

void TSdlPlatform::FitWhenFramed() {
  fitDeadline_ = SDL_GetTicks() + kPlacementSettleMs;
  fitPending_ = true;
  SDL_PumpEvents();  // the frame's size comes as a property of the window; the events stay queued
  FitToFrame();
}

// The window manager tells the frame's size some time after the window is shown. Once it is
// known (or it is too late to wait), the window is made smaller if it would not fit on the
// desktop with its frame, and a centred one is centred again in the usable area, so no panel
// covers it. A window that fits is left where the window manager put it.
void TSdlPlatform::FitToFrame() {
  if (!fitPending_ || !window_ || fullScreen_) return;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0)
    top = left = bottom = right = 0;
  const bool framed = top > 0 || left > 0 || bottom > 0 || right > 0;
  if (!framed && !SDL_TICKS_PASSED(SDL_GetTicks(), fitDeadline_)) return;
  fitPending_ = false;
  const SDL_Rect usable = UsableArea();
  const TSize frame{left + right, top + bottom};
  const TSize fitted = WindowSizeFor(windowScale_, {usable.w, usable.h}, frame, picture_);
  if (fitted == windowSize_) return;
  windowSize_ = fitted;
  SDL_SetWindowSize(window_, fitted.width, fitted.height);
  if (!centered_) return;
  SDL_SetWindowPosition(window_, usable.x + left + (usable.w - frame.width - fitted.width) / 2,
                        usable.y + top + (usable.h - frame.height - fitted.height) / 2);
}

}  // namespace platform
