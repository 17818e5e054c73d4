#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/picture_scaler.h"
#include "platform/platform.h"

namespace platform {

// Puts the game's picture on the window's own surface (shared memory on X11): one to one in a
// window of its size, otherwise scaled to fit with its shape kept and black bars on the
// sides left over. Scaling is ours, on the processor (see TPictureScaler), so it costs no GPU
// emulation where there is no GPU.
class TSdlPresenter {
 public:
  void SetMode(TScaleMode mode) { mode_ = mode; }
  TScaleMode Mode() const { return mode_; }

  // False when the window has no surface to draw on (it is lost until one can be had).
  bool Present(SDL_Window* window, const uint32_t* pixels, int width, int height);
  // Window pixels to picture pixels and back, for mouse positions: the game pixel the scaler
  // drew at a window pixel, and the first window pixel drawn from a game pixel.
  TPoint ToPicture(int x, int y) const;
  TPoint FromPicture(int x, int y) const;

  // Where a picture of width × height goes in a window of that size: the largest size of the
  // same shape that fits (Integer: the largest whole factor), centred.
  void Place(int windowWidth, int windowHeight, int width, int height);
  const SDL_Rect& Target() const { return target_; }

 private:
  void DrawInto(SDL_Surface* screen, const uint32_t* pixels, int width, int height);

  TScaleMode mode_ = TScaleMode::Sharp;
  TPictureScaler scaler_;
  std::vector<uint32_t> staging_;  // for a window whose pixels are not 0x00RRGGBB
  SDL_Rect target_{0, 0, 0, 0};    // where the picture lands in the window
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
};

}  // namespace platform
