#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/picture_scaler.h"
#include "platform/platform.h"

namespace platform {

// Puts the game's picture in the window: one to one in a window of its size, otherwise scaled
// to fit with its shape kept and black bars on the sides left over. With a renderer (real
// graphics hardware) the GPU scales a streaming texture; without one our own scaler draws on
// the window's surface (shared memory on X11), so no GPU is emulated where there is none.
class TSdlPresenter {
 public:
  TSdlPresenter() = default;
  ~TSdlPresenter();
  TSdlPresenter(const TSdlPresenter&) = delete;
  TSdlPresenter& operator=(const TSdlPresenter&) = delete;

  void SetMode(TScaleMode mode) { mode_ = mode; }
  // Takes the renderer over (null: the window's surface); before the window is gone.
  void UseRenderer(SDL_Renderer* renderer);
  bool UsesRenderer() const { return renderer_ != nullptr; }

  // False when the window has no surface to draw on (it is lost until one can be had).
  bool Present(SDL_Window* window, const uint32_t* pixels, int width, int height);
  // Window pixels to picture pixels and back, for mouse positions: the game pixel the scaler
  // drew at a window pixel, and the first window pixel drawn from a game pixel.
  TPoint ToPicture(int x, int y) const;
  TPoint FromPicture(int x, int y) const;
  // Whether a window pixel shows the picture rather than the border around it (every pixel
  // does until a picture has been placed).
  bool OnPicture(int x, int y) const;

  // Where a picture of width × height goes in a window of that size: the largest size of the
  // same shape that fits (Integer: the largest whole factor), centred.
  void Place(int windowWidth, int windowHeight, int width, int height);
  const SDL_Rect& Target() const { return target_; }

 private:
  void DrawInto(SDL_Surface* screen, const uint32_t* pixels, int width, int height);
  bool PresentWithRenderer(const uint32_t* pixels, int width, int height);
  SDL_Texture* SharpStage(int width, int height, int factor);
  void DropTextures();

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* picture_ = nullptr;  // the game's picture, streamed each frame
  SDL_Texture* stage_ = nullptr;    // sharp: the picture enlarged by a whole factor
  int stageFactor_ = 0;

  TScaleMode mode_ = TScaleMode::Sharp;
  TPictureScaler scaler_;
  std::vector<uint32_t> staging_;  // for a window whose pixels are not 0x00RRGGBB
  SDL_Rect target_{0, 0, 0, 0};    // where the picture lands in the window
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
};

}  // namespace platform
