#include <algorithm>
#include <cstdint>

#include "engine/surface.h"

namespace engine {

namespace {

constexpr int kOpaque = 255;
constexpr int64_t kOne = 65536;  // 1.0 in 16.16 fixed point

// Two channels at once: red and blue share one word, green the other.
inline uint32_t Blend(uint32_t s, uint32_t d, uint32_t alpha) {
  const uint32_t inverse = kOpaque - alpha;
  const uint32_t rb = (((s & 0xFF00FF) * alpha + (d & 0xFF00FF) * inverse) >> 8) & 0xFF00FF;
  const uint32_t g = (((s & 0x00FF00) * alpha + (d & 0x00FF00) * inverse) >> 8) & 0x00FF00;
  return rb | g;
}

}  // namespace

void TDirectDrawSurface::DrawAlpha(const TRect& destRect, const TRect& srcRect,
                                   const TDirectDrawSurface* src, bool transparent, int alpha) {
  if (!src || alpha <= 0) return;
  const TRect source{std::max(srcRect.Left, 0), std::max(srcRect.Top, 0),
                     std::min(srcRect.Right, src->width_), std::min(srcRect.Bottom, src->height_)};
  if (destRect.Width() <= 0 || destRect.Height() <= 0 || source.Width() <= 0 ||
      source.Height() <= 0) {
    return;
  }
  const int64_t stepX = int64_t{source.Width()} * kOne / destRect.Width();
  const int64_t stepY = int64_t{source.Height()} * kOne / destRect.Height();
  const int left = std::max(destRect.Left, 0);
  const int top = std::max(destRect.Top, 0);
  const int right = std::min(destRect.Right, width_);
  const int bottom = std::min(destRect.Bottom, height_);
  if (left >= right || top >= bottom) return;
  // The source offsets of the clipped-off part, in proportion.
  const int64_t startX = source.Left * kOne + (left - destRect.Left) * stepX;
  int64_t sy = source.Top * kOne + (top - destRect.Top) * stepY;
  const uint32_t key = src->transparentColor_;
  spans_.Invalidate();
  const bool copy = alpha >= kOpaque;
  const auto a = static_cast<uint32_t>(alpha);
  for (int y = top; y < bottom; ++y, sy += stepY) {
    const uint32_t* in = src->pixels_.data() + static_cast<size_t>(sy >> 16) * src->width_;
    uint32_t* out = pixels_.data() + static_cast<size_t>(y) * width_;
    int64_t sx = startX;
    for (int x = left; x < right; ++x, sx += stepX) {
      const uint32_t pixel = in[sx >> 16];
      if (transparent && pixel == key) continue;
      out[x] = copy ? pixel : Blend(pixel, out[x], a);
    }
  }
}

}  // namespace engine
