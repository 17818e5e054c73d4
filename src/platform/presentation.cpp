#include "platform/presentation.h"

#include <algorithm>
#include <cstdint>

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

TSize WindowSizeFor(int scale, TSize usable, TSize frame, TSize picture) {
  const TSize wanted{picture.width * scale, picture.height * scale};
  const TSize room{usable.width - frame.width, usable.height - frame.height};
  if (room.width <= 0 || room.height <= 0 || picture.width <= 0 || picture.height <= 0)
    return wanted;
  if (wanted.width <= room.width && wanted.height <= room.height) return wanted;
  // The side that binds is the one whose room is smaller for the picture's shape.
  if (int64_t{room.width} * picture.height <= int64_t{room.height} * picture.width)
    return {room.width, static_cast<int>(int64_t{room.width} * picture.height / picture.width)};
  return {static_cast<int>(int64_t{room.height} * picture.width / picture.height), room.height};
}

}  // namespace platform
