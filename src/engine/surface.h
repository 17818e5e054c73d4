#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/canvas.h"
#include "engine/opaque_spans.h"

#include "engine/rect.h"

namespace engine {

class TDrawRecorder;

// The 32-bit surface pixel (red × 65536 + green × 256 + blue) of a colour given as 0x00BBGGRR.
constexpr uint32_t PixelOfColour(uint32_t colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// A drawing surface in memory: 32 bits a pixel, red × 65536 + green × 256 + blue, rows top
// to bottom without padding.
class TDirectDrawSurface {
 public:
  TDirectDrawSurface(int width, int height);
  // A surface texts are written on, in these fonts (the display's back surface).
  TDirectDrawSurface(int width, int height, platform::TTextRasterizer& fonts);
  // The canvas refers to its surface, so a surface stays where it was made.
  TDirectDrawSurface(const TDirectDrawSurface&) = delete;
  TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return kBitCount; }
  TRect ClientRect() const { return {0, 0, width_, height_}; }

  uint32_t TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(uint32_t pixel) { transparentColor_ = pixel; }
  const TOpaqueSpans& OpaqueSpans() const;

  void Fill(uint32_t pixel);

  // Copies srcRect of src to (x, y), clipped against both surfaces; a reversed rectangle
  // (Right < Left or Bottom < Top) copies the mirrored picture. With transparent, pixels
  // equal to src's colour key are skipped.
  void Draw(int x, int y, const TRect& srcRect, const TDirectDrawSurface* src, bool transparent);
  // Stretches srcRect onto destRect, blending each channel as
  // (source × alpha + destination × (255 − alpha)) / 256.
  void DrawAlpha(const TRect& destRect, const TRect& srcRect, const TDirectDrawSurface* src,
                 bool transparent, int alpha);
  // Scales srcRect to width × height and turns it by angle (256ths of a turn, clockwise on
  // screen) about the point (centerX, centerY) of that rectangle, placed at (x, y).
  void DrawRotate(int x, int y, int width, int height, const TRect& srcRect,
                  const TDirectDrawSurface* src, double centerX, double centerY, bool transparent,
                  int angle);
  // The raw pixel of a colour given as 0x00BBGGRR.
  uint32_t ColorMatch(uint32_t colour) const;

  // The text canvas, made on first use; std::logic_error on a surface made without fonts.
  TCanvas& Canvas();
  // Told of the texts and pictures drawn here; none by default.
  TDrawRecorder* Recorder = nullptr;

  // Direct pixel access for the lifetime of a lock; rows are Pitch() pixels apart.
  uint32_t* Lock(const TRect& rect);
  void Unlock() {}
  int Pitch() const { return width_; }

  // Writable access forgets the opaque runs kept for transparent copies.
  uint32_t* Pixels() {
    spans_.Invalidate();
    return pixels_.data();
  }
  const uint32_t* Pixels() const { return pixels_.data(); }
  uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

 private:
  static constexpr int kBitCount = 32;

  // A copy of a w × h block: the source pixel of the first destination pixel, the direction
  // per axis (+1, or -1 mirrored), and the destination origin.
  struct TCopyPlan {
    int srcX, srcY;
    int stepX, stepY;
    int destX, destY;
    int width, height;
  };
  void CopyOpaqueRuns(const TCopyPlan& plan, const TDirectDrawSurface& src);

  int width_;
  int height_;
  uint32_t transparentColor_ = 0;
  std::vector<uint32_t> pixels_;
  platform::TTextRasterizer* fonts_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
  // Built on the first transparent copy from this surface; a sprite's picture never changes
  // after it is built, so this is done once.
  mutable TOpaqueSpans spans_;
};

}  // namespace engine
