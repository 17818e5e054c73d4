#include "engine/surface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace engine {

TDirectDrawSurface::TDirectDrawSurface(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pixels_(static_cast<size_t>(width_) * height_, 0) {}

TDirectDrawSurface::TDirectDrawSurface(int width, int height, platform::TTextRasterizer& fonts)
    : TDirectDrawSurface(width, height) {
  fonts_ = &fonts;
}

// Every frame starts by clearing to black, so that case goes through memset.
const TOpaqueSpans& TDirectDrawSurface::OpaqueSpans() const {
  if (!spans_.ValidFor(transparentColor_)) {
    spans_.Build(pixels_.data(), width_, height_, transparentColor_);
  }
  return spans_;
}

void TDirectDrawSurface::Fill(uint32_t pixel) {
  spans_.Invalidate();
  if (pixel == 0) {
    std::memset(pixels_.data(), 0, pixels_.size() * sizeof(uint32_t));
  } else {
    std::fill(pixels_.begin(), pixels_.end(), pixel);
  }
}

TCanvas& TDirectDrawSurface::Canvas() {
  if (!fonts_) throw std::logic_error("a surface made without fonts has no canvas");
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this, *fonts_);
  return *canvas_;
}

}  // namespace engine
