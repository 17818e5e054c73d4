#include <algorithm>
#include <cstring>

#include "engine/surface.h"

namespace engine {

namespace {

// A copy of a w × h block: source origin and direction per axis, destination origin.
struct TCopyPlan {
  int srcX, srcY;    // source pixel of the first destination pixel
  int stepX, stepY;  // +1 normal, -1 mirrored
  int destX, destY;
  int width, height;
};

// Clips one axis of a copy: [destStart, destStart + length) must lie in [0, destSize) and
// the source run, walked forwards or backwards, in [0, srcSize).
bool ClipAxis(int& destStart, int& srcFirst, int& length, int step, int destSize, int srcSize) {
  // Keep the source within its surface: srcFirst + step × i for i in [0, length).
  if (step > 0) {
    if (srcFirst < 0) {
      destStart -= srcFirst;
      length += srcFirst;
      srcFirst = 0;
    }
    length = std::min(length, srcSize - srcFirst);
  } else {
    if (srcFirst >= srcSize) {
      const int cut = srcFirst - (srcSize - 1);
      destStart += cut;
      length -= cut;
      srcFirst = srcSize - 1;
    }
    length = std::min(length, srcFirst + 1);
  }
  if (destStart < 0) {
    length += destStart;
    srcFirst -= destStart * step;
    destStart = 0;
  }
  length = std::min(length, destSize - destStart);
  return length > 0;
}

}  // namespace

void TDirectDrawSurface::Draw(int x, int y, const TRect& srcRect, const TDirectDrawSurface* src,
                              bool transparent) {
  if (!src || x > width_ || y > height_) return;
  const bool mirrorX = srcRect.Right < srcRect.Left;
  const bool mirrorY = srcRect.Bottom < srcRect.Top;
  const int left = std::min(srcRect.Left, srcRect.Right);
  const int top = std::min(srcRect.Top, srcRect.Bottom);
  TCopyPlan plan{mirrorX ? std::max(srcRect.Left, srcRect.Right) - 1 : left,
                 mirrorY ? std::max(srcRect.Top, srcRect.Bottom) - 1 : top,
                 mirrorX ? -1 : 1,
                 mirrorY ? -1 : 1,
                 x,
                 y,
                 std::abs(srcRect.Right - srcRect.Left),
                 std::abs(srcRect.Bottom - srcRect.Top)};
  if (!ClipAxis(plan.destX, plan.srcX, plan.width, plan.stepX, width_, src->width_)) return;
  if (!ClipAxis(plan.destY, plan.srcY, plan.height, plan.stepY, height_, src->height_)) return;

  const uint32_t key = src->transparentColor_;
  for (int row = 0; row < plan.height; ++row) {
    const uint32_t* in = src->pixels_.data() +
                         static_cast<size_t>(plan.srcY + row * plan.stepY) * src->width_ +
                         plan.srcX;
    uint32_t* out = pixels_.data() + static_cast<size_t>(plan.destY + row) * width_ + plan.destX;
    if (plan.stepX > 0 && !transparent) {
      std::memcpy(out, in, static_cast<size_t>(plan.width) * sizeof(uint32_t));
      continue;
    }
    for (int i = 0; i < plan.width; ++i) {
      const uint32_t pixel = in[i * plan.stepX];
      if (!transparent || pixel != key) out[i] = pixel;
    }
  }
}

uint32_t TDirectDrawSurface::ColorMatch(uint32_t colour) const {
  const uint32_t red = colour & 0xFF;
  const uint32_t green = (colour >> 8) & 0xFF;
  const uint32_t blue = (colour >> 16) & 0xFF;
  return (red << 16) | (green << 8) | blue;
}

uint32_t* TDirectDrawSurface::Lock(const TRect& rect) {
  const int x = std::clamp(rect.Left, 0, width_ - 1);
  const int y = std::clamp(rect.Top, 0, height_ - 1);
  return pixels_.data() + static_cast<size_t>(y) * width_ + x;
}

}  // namespace engine
