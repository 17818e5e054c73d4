#include "platform/presentation.h"

#include <algorithm>

namespace platform {

namespace {

constexpr float kDenseDotsPerInch = 144.0f;
constexpr int kUsablePercent = 90;

}  // namespace

int WindowScaleFor(float dotsPerInch, int usableWidth, int usableHeight, int pictureWidth,
                   int pictureHeight) {
  if (dotsPerInch < kDenseDotsPerInch || pictureWidth <= 0 || pictureHeight <= 0) return 1;
  const int byHeight = usableHeight * kUsablePercent / 100 / pictureHeight;
  const int byWidth = usableWidth / pictureWidth;
  return std::max(1, std::min(byHeight, byWidth));
}

}  // namespace platform
