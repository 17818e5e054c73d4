#include <algorithm>
#include <cstring>

#include "engine/pixel_runs.h"
#include "engine/surface.h"
#include "platform/cpu_features.h"

namespace engine {

namespace {

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

// One transparent copy's walk over the source's opaque runs, cut to the copied columns.
struct TRunWalk {
  const TOpaqueSpans* spans;
  const uint32_t* srcPixels;
  int srcPitch;
  uint32_t* out;  // the destination pixel where source column 0 of the first row lands
  int destPitch;
  int srcY, stepY, rows;
  int firstColumn, endColumn;
  bool wholeRows;  // every column of each row and rows downwards: no cutting at all
};

// The walk's numbers are taken into locals first: they are ints, which the pixel stores
// could alias, and would otherwise be read again after every run.
template <auto CopyRun>
inline void WalkRuns(const TRunWalk& walk) {
  const TOpaqueSpans& spans = *walk.spans;
  const int srcPitch = walk.srcPitch, destPitch = walk.destPitch;
  const int firstRow = walk.srcY, rows = walk.rows;
  uint32_t* out = walk.out;
  if (walk.wholeRows) {
    // The common case of a sprite inside the screen: rows and runs are walked with pointers
    // alone.
    const uint32_t* in = walk.srcPixels + static_cast<size_t>(firstRow) * srcPitch;
    const TOpaqueSpans::TSpan* span = spans.RowBegin(firstRow);
    for (int row = 0; row < rows; ++row, in += srcPitch, out += destPitch) {
      for (const auto* end = spans.RowEnd(firstRow + row); span != end; ++span)
        CopyRun(out + span->start, in + span->start, span->length);
    }
    return;
  }
  const int stepY = walk.stepY, firstColumn = walk.firstColumn, endColumn = walk.endColumn;
  for (int row = 0; row < rows; ++row, out += destPitch) {
    const int srcY = firstRow + row * stepY;
    const uint32_t* in = walk.srcPixels + static_cast<size_t>(srcY) * srcPitch;
    for (const auto* span = spans.RowBegin(srcY); span != spans.RowEnd(srcY); ++span) {
      const int start = std::max(span->start, firstColumn);
      const int end = std::min(span->start + span->length, endColumn);
      if (start < end) CopyRun(out + start, in + start, end - start);
    }
  }
}

void WalkRunsNarrow(const TRunWalk& walk) {
  WalkRuns<pixel_runs::CopyNarrow>(walk);
}

// Flattened so the wide copy is inlined into a loop compiled for the same processor.
[[gnu::target("avx2"), gnu::flatten]] void WalkRunsWide(const TRunWalk& walk) {
  WalkRuns<pixel_runs::CopyWide>(walk);
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

  spans_.Invalidate();
  if (transparent && plan.stepX > 0) {
    CopyOpaqueRuns(plan, *src);
    return;
  }
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

// A transparent copy moves the source's opaque runs, cut to the copied columns.
void TDirectDrawSurface::CopyOpaqueRuns(const TCopyPlan& plan, const TDirectDrawSurface& src) {
  const TRunWalk walk{
      &src.OpaqueSpans(),
      src.pixels_.data(),
      src.width_,
      pixels_.data() + static_cast<size_t>(plan.destY) * width_ + (plan.destX - plan.srcX),
      width_,
      plan.srcY,
      plan.stepY,
      plan.height,
      plan.srcX,
      plan.srcX + plan.width,
      plan.srcX == 0 && plan.width == src.width_ && plan.stepY > 0};
  if (platform::HasAvx2()) {
    WalkRunsWide(walk);
  } else {
    WalkRunsNarrow(walk);
  }
}

uint32_t TDirectDrawSurface::ColorMatch(uint32_t colour) const {
  return PixelOfColour(colour);
}

uint32_t* TDirectDrawSurface::Lock(const TRect& rect) {
  spans_.Invalidate();
  const int x = std::clamp(rect.Left, 0, width_ - 1);
  const int y = std::clamp(rect.Top, 0, height_ - 1);
  return pixels_.data() + static_cast<size_t>(y) * width_ + x;
}

}  // namespace engine
