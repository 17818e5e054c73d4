#include "platform/sdl/sdl_presenter.h"

#include <algorithm>

namespace platform {

// The picture is scaled by the largest whole factor that fits, so every game pixel becomes
// the same square of screen pixels, and centred on black; only a window smaller than the
// picture gets the largest fit of the same shape instead.
void TSdlPresenter::Place(int windowWidth, int windowHeight, int width, int height) {
  pictureWidth_ = width;
  pictureHeight_ = height;
  const int factor = std::min(windowWidth / width, windowHeight / height);
  if (factor >= 1) {
    target_ = {(windowWidth - width * factor) / 2, (windowHeight - height * factor) / 2,
               width * factor, height * factor};
    return;
  }
  const int64_t scaledByWidth = int64_t{height} * windowWidth / width;
  if (scaledByWidth <= windowHeight) {
    target_ = {0, static_cast<int>((windowHeight - scaledByWidth) / 2), windowWidth,
               static_cast<int>(scaledByWidth)};
  } else {
    const int scaledWidth = static_cast<int>(int64_t{width} * windowHeight / height);
    target_ = {(windowWidth - scaledWidth) / 2, 0, scaledWidth, windowHeight};
  }
}

bool TSdlPresenter::Present(SDL_Window* window, const uint32_t* pixels, int width, int height) {
  SDL_Surface* screen = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!screen) return false;
  if (width <= 0 || height <= 0) return true;
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888);
  if (!picture) return true;
  Place(screen->w, screen->h, width, height);
  if (target_.w == width && target_.h == height && target_.x == 0 && target_.y == 0) {
    SDL_BlitSurface(picture, nullptr, screen, nullptr);
  } else {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Rect target = target_;
    SDL_BlitScaled(picture, nullptr, screen, &target);
  }
  SDL_FreeSurface(picture);
  SDL_UpdateWindowSurface(window);
  return true;
}

TPoint TSdlPresenter::ToPicture(int x, int y) const {
  if (target_.w <= 0 || target_.h <= 0) return {x, y};
  return {static_cast<int>(int64_t{x - target_.x} * pictureWidth_ / target_.w),
          static_cast<int>(int64_t{y - target_.y} * pictureHeight_ / target_.h)};
}

bool TSdlPresenter::OnPicture(int x, int y) const {
  if (target_.w <= 0 || target_.h <= 0) return true;
  return x >= target_.x && y >= target_.y && x < target_.x + target_.w && y < target_.y + target_.h;
}

TPoint TSdlPresenter::FromPicture(int x, int y) const {
  if (pictureWidth_ <= 0 || pictureHeight_ <= 0) return {x, y};
  return {static_cast<int>(target_.x + int64_t{x} * target_.w / pictureWidth_),
          static_cast<int>(target_.y + int64_t{y} * target_.h / pictureHeight_)};
}

}  // namespace platform
