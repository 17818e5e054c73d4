#include <algorithm>
#include <cstring>

#include <emmintrin.h>

#include "engine/surface.h"

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

// Sprite runs are short: 128-bit moves, the last one overlapping the one before it, beat a
// call to memcpy for each run.
inline void CopyRun(uint32_t* out, const uint32_t* in, int count) {
  if (count < 4) {
    for (int i = 0; i < count; ++i) out[i] = in[i];
    return;
  }
  for (int i = 0; i + 4 < count; i += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)));
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + count - 4),
                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + count - 4)));
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
  const TOpaqueSpans& spans = src.OpaqueSpans();
  if (plan.srcX == 0 && plan.width == src.width_ && plan.stepY > 0) {
    // Whole rows, the common case of a sprite inside the screen: the runs need no cutting,
    // and rows and runs are walked with pointers alone.
    const uint32_t* in = src.pixels_.data() + static_cast<size_t>(plan.srcY) * src.width_;
    uint32_t* out = pixels_.data() + static_cast<size_t>(plan.destY) * width_ + plan.destX;
    const TOpaqueSpans::TSpan* span = spans.RowBegin(plan.srcY);
    for (int row = 0; row < plan.height; ++row, in += src.width_, out += width_) {
      for (const auto* end = spans.RowEnd(plan.srcY + row); span != end; ++span)
        CopyRun(out + span->start, in + span->start, span->length);
    }
    return;
  }
  const int firstColumn = plan.srcX;
  const int endColumn = plan.srcX + plan.width;
  for (int row = 0; row < plan.height; ++row) {
    const int srcY = plan.srcY + row * plan.stepY;
    const uint32_t* in = src.pixels_.data() + static_cast<size_t>(srcY) * src.width_;
    uint32_t* out = pixels_.data() + static_cast<size_t>(plan.destY + row) * width_ +
                    (plan.destX - firstColumn);
    for (const auto* span = spans.RowBegin(srcY); span != spans.RowEnd(srcY); ++span) {
      const int start = std::max(span->start, firstColumn);
      const int end = std::min(span->start + span->length, endColumn);
      if (start < end) CopyRun(out + start, in + start, end - start);
    }
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
