#include "platform/sdl/sdl_presenter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace platform {

namespace {

// The black bars around a target inside a surface.
void FillBars(SDL_Surface* screen, const SDL_Rect& t) {
  const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
  const SDL_Rect bars[] = {{0, 0, screen->w, t.y},
                           {0, t.y + t.h, screen->w, screen->h - t.y - t.h},
                           {0, t.y, t.x, t.h},
                           {t.x + t.w, t.y, screen->w - t.x - t.w, t.h}};
  for (const SDL_Rect& bar : bars)
    if (bar.w > 0 && bar.h > 0) SDL_FillRect(screen, &bar, black);
}

}  // namespace

void TSdlPresenter::Place(int windowWidth, int windowHeight, int width, int height) {
  pictureWidth_ = width;
  pictureHeight_ = height;
  const int factor = std::min(windowWidth / width, windowHeight / height);
  if (mode_ == TScaleMode::Integer && factor >= 1) {
    target_ = {(windowWidth - width * factor) / 2, (windowHeight - height * factor) / 2,
               width * factor, height * factor};
    return;
  }
  const int64_t heightAtFullWidth = int64_t{height} * windowWidth / width;
  if (heightAtFullWidth <= windowHeight) {
    target_ = {0, static_cast<int>((windowHeight - heightAtFullWidth) / 2), windowWidth,
               static_cast<int>(heightAtFullWidth)};
  } else {
    const int widthAtFullHeight = static_cast<int>(int64_t{width} * windowHeight / height);
    target_ = {(windowWidth - widthAtFullHeight) / 2, 0, widthAtFullHeight, windowHeight};
  }
}

TSdlPresenter::~TSdlPresenter() {
  UseRenderer(nullptr);
}

void TSdlPresenter::DropTextures() {
  if (picture_) SDL_DestroyTexture(picture_);
  if (stage_) SDL_DestroyTexture(stage_);
  picture_ = stage_ = nullptr;
  stageFactor_ = 0;
}

void TSdlPresenter::UseRenderer(SDL_Renderer* renderer) {
  DropTextures();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = renderer;
}

// Sharp on the GPU: the picture is first enlarged by the whole factor just above the target's
// with nearest pixels, then reduced smoothly, so only the seams blend.
SDL_Texture* TSdlPresenter::SharpStage(int width, int height, int factor) {
  if (stage_ && stageFactor_ == factor) return stage_;
  if (stage_) SDL_DestroyTexture(stage_);
  stage_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                             width * factor, height * factor);
  stageFactor_ = stage_ ? factor : 0;
  if (stage_) SDL_SetTextureScaleMode(stage_, SDL_ScaleModeLinear);
  return stage_;
}

bool TSdlPresenter::PresentWithRenderer(const uint32_t* pixels, int width, int height) {
  int outputWidth = 0, outputHeight = 0;
  if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0) return false;
  Place(outputWidth, outputHeight, width, height);
  int textureWidth = 0, textureHeight = 0;
  if (picture_) SDL_QueryTexture(picture_, nullptr, nullptr, &textureWidth, &textureHeight);
  if (!picture_ || textureWidth != width || textureHeight != height) {
    DropTextures();
    picture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (!picture_) return false;
  }
  SDL_UpdateTexture(picture_, nullptr, pixels, width * 4);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const bool whole = target_.w % width == 0 && target_.h % height == 0;
  SDL_SetTextureScaleMode(picture_,
                          mode_ == TScaleMode::Smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  SDL_Texture* shown = picture_;
  if (mode_ == TScaleMode::Sharp && !whole && target_.w > width) {
    const int factor = (target_.w + width - 1) / width;
    if (SDL_Texture* stage = SharpStage(width, height, factor)) {
      SDL_SetRenderTarget(renderer_, stage);
      SDL_RenderCopy(renderer_, picture_, nullptr, nullptr);
      SDL_SetRenderTarget(renderer_, nullptr);
      shown = stage;
    }
  }
  SDL_RenderCopy(renderer_, shown, nullptr, &target_);
  SDL_RenderPresent(renderer_);
  return true;
}

bool TSdlPresenter::Present(SDL_Window* window, const uint32_t* pixels, int width, int height) {
  if (renderer_) return width <= 0 || height <= 0 || PresentWithRenderer(pixels, width, height);
  SDL_Surface* screen = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!screen) return false;
  if (width <= 0 || height <= 0) return true;
  Place(screen->w, screen->h, width, height);
  DrawInto(screen, pixels, width, height);
  SDL_UpdateWindowSurface(window);
  return true;
}

// Straight into the window's pixels where they are laid out as ours (the usual case on X11);
// through a staging copy and SDL's conversion otherwise.
void TSdlPresenter::DrawInto(SDL_Surface* screen, const uint32_t* pixels, int width, int height) {
  const SDL_Rect t = target_;
  if (t.w <= 0 || t.h <= 0) return;
  const bool direct = screen->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(screen);
  if (direct) {
    FillBars(screen, t);
    auto* base = static_cast<uint32_t*>(screen->pixels);
    const int pitch = screen->pitch / 4;
    uint32_t* out = base + static_cast<std::ptrdiff_t>(t.y) * pitch + t.x;
    if (t.w == width && t.h == height) {
      for (int y = 0; y < height; ++y)
        std::memcpy(out + static_cast<std::ptrdiff_t>(y) * pitch,
                    pixels + static_cast<std::ptrdiff_t>(y) * width, size_t(width) * 4);
    } else {
      scaler_.Scale(mode_, pixels, width, height, width, out, t.w, t.h, pitch);
    }
    return;
  }
  staging_.resize(static_cast<size_t>(t.w) * t.h);
  scaler_.Scale(mode_, pixels, width, height, width, staging_.data(), t.w, t.h, t.w);
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(staging_.data(), t.w, t.h, 32, t.w * 4,
                                                            SDL_PIXELFORMAT_RGB888);
  if (!picture) return;
  FillBars(screen, t);
  SDL_Rect at = t;
  SDL_BlitSurface(picture, nullptr, screen, &at);
  SDL_FreeSurface(picture);
}

// Both ways in whole numbers: the game pixel under a window pixel is the one the scaler
// started that pixel in (floor), and a game pixel's first window pixel rounds up to it.
TPoint TSdlPresenter::ToPicture(int x, int y) const {
  if (target_.w <= 0 || target_.h <= 0) return {x, y};
  auto down = [](int64_t a, int64_t b) {
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
  };
  return {down(int64_t{x - target_.x} * pictureWidth_, target_.w),
          down(int64_t{y - target_.y} * pictureHeight_, target_.h)};
}

bool TSdlPresenter::OnPicture(int x, int y) const {
  if (target_.w <= 0 || target_.h <= 0) return true;
  return x >= target_.x && y >= target_.y && x < target_.x + target_.w && y < target_.y + target_.h;
}

TPoint TSdlPresenter::FromPicture(int x, int y) const {
  if (pictureWidth_ <= 0 || pictureHeight_ <= 0) return {x, y};
  auto up = [](int64_t a, int64_t b) { return static_cast<int>(a >= 0 ? (a + b - 1) / b : a / b); };
  return {target_.x + up(int64_t{x} * target_.w, pictureWidth_),
          target_.y + up(int64_t{y} * target_.h, pictureHeight_)};
}

}  // namespace platform
