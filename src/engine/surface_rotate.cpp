#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "engine/surface.h"

namespace engine {

namespace {

constexpr int kTurn = 256;
constexpr int kQuarterBack = 192;  // sin(a) = cos(a + 192)
constexpr double kOne = 65536.0;

const std::array<double, kTurn>& CosTable() {
  static const auto table = [] {
    std::array<double, kTurn> t{};
    for (int i = 0; i < kTurn; ++i) t[i] = std::cos(2 * std::numbers::pi * i / kTurn);
    return t;
  }();
  return table;
}

struct TPointD {
  double x, y;
};

}  // namespace

void TDirectDrawSurface::DrawRotate(int x, int y, int width, int height, const TRect& srcRect,
                                    const TDirectDrawSurface* src, double centerX, double centerY,
                                    bool transparent, int angle) {
  if (!src || width == 0 || height == 0) return;
  if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src->width_ ||
      srcRect.Bottom > src->height_ || srcRect.Width() <= 0 || srcRect.Height() <= 0) {
    return;
  }
  const double c = CosTable()[angle & (kTurn - 1)];
  const double s = CosTable()[(angle + kQuarterBack) & (kTurn - 1)];
  const int shiftX = static_cast<int>(-width * centerX);
  const int shiftY = static_cast<int>(-height * centerY);

  // The turned quadrilateral's corners give the rows and columns to visit.
  const TPointD corners[] = {{0.0 + shiftX, 0.0 + shiftY},
                             {0.0 + width + shiftX, 0.0 + shiftY},
                             {0.0 + width + shiftX, 0.0 + height + shiftY},
                             {0.0 + shiftX, 0.0 + height + shiftY}};
  int minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
  for (const TPointD& p : corners) {
    const int px = x + static_cast<int>(p.x * c - p.y * s);
    const int py = y + static_cast<int>(p.x * s + p.y * c);
    minX = std::min(minX, px);
    maxX = std::max(maxX, px);
    minY = std::min(minY, py);
    maxY = std::max(maxY, py);
  }
  minX = std::max(minX - 1, 0);
  minY = std::max(minY - 1, 0);
  maxX = std::min(maxX + 1, width_);
  maxY = std::min(maxY + 1, height_);
  if (minX >= maxX || minY >= maxY) return;

  // Each destination pixel centre is turned back into the unturned rectangle, then scaled
  // into srcRect; both steps are linear, so one 16.16 step per column and per row suffices.
  const double scaleX = static_cast<double>(srcRect.Width()) / width;
  const double scaleY = static_cast<double>(srcRect.Height()) / height;
  const auto fixed = [](double v) { return static_cast<int64_t>(std::floor(v * kOne)); };
  const int64_t duX = fixed(c * scaleX), dvX = fixed(-s * scaleY);  // per column
  const int64_t duY = fixed(s * scaleX), dvY = fixed(c * scaleY);   // per row
  const double rx0 = minX + 0.5 - x;
  const double ry0 = minY + 0.5 - y;
  int64_t rowU = fixed(((rx0 * c + ry0 * s) - shiftX) * scaleX);
  int64_t rowV = fixed(((-rx0 * s + ry0 * c) - shiftY) * scaleY);
  const int64_t limitU = int64_t{srcRect.Width()} << 16;
  const int64_t limitV = int64_t{srcRect.Height()} << 16;
  const uint32_t key = src->transparentColor_;
  spans_.Invalidate();
  for (int py = minY; py < maxY; ++py, rowU += duY, rowV += dvY) {
    uint32_t* out = pixels_.data() + static_cast<size_t>(py) * width_;
    int64_t u = rowU;
    int64_t v = rowV;
    for (int px = minX; px < maxX; ++px, u += duX, v += dvX) {
      if (u < 0 || v < 0 || u >= limitU || v >= limitV) continue;
      const uint32_t pixel = src->Pixel(srcRect.Left + static_cast<int>(u >> 16),
                                        srcRect.Top + static_cast<int>(v >> 16));
      if (!transparent || pixel != key) out[px] = pixel;
    }
  }
}

}  // namespace engine
