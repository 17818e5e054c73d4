#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/rect.h"

namespace engine {

// A drawing surface in memory: 32 bits a pixel, red × 65536 + green × 256 + blue, rows top
// to bottom without padding.
class TDirectDrawSurface {
 public:
  TDirectDrawSurface(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return kBitCount; }
  TRect ClientRect() const { return {0, 0, width_, height_}; }

  uint32_t TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(uint32_t pixel) { transparentColor_ = pixel; }

  void Fill(uint32_t pixel);

  uint32_t* Pixels() { return pixels_.data(); }
  const uint32_t* Pixels() const { return pixels_.data(); }
  uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

 private:
  static constexpr int kBitCount = 32;

  int width_;
  int height_;
  uint32_t transparentColor_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace engine
