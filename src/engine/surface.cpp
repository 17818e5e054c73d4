#include "engine/surface.h"

#include <algorithm>

namespace engine {

TDirectDrawSurface::TDirectDrawSurface(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pixels_(static_cast<size_t>(width_) * height_, 0) {}

void TDirectDrawSurface::Fill(uint32_t pixel) { std::fill(pixels_.begin(), pixels_.end(), pixel); }

}  // namespace engine
