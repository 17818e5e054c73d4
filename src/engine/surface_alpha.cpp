#include <algorithm>
#include <cstdint>

#include <emmintrin.h>
#include <immintrin.h>

#include "engine/surface.h"
#include "platform/cpu_features.h"

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

// Four pixels at once, each channel widened to 16 bits: s × alpha + d × (255 − alpha) stays
// below 65536, so the same formula holds exactly. Colour-keyed source pixels keep the
// destination.
template <bool kKeyed>
inline void BlendFour(uint32_t* out, const uint32_t* source, __m128i alpha, __m128i inverse,
                      __m128i key) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out));
  const auto mix = [&](__m128i s16, __m128i d16) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s16, alpha), _mm_mullo_epi16(d16, inverse)),
                          8);
  };
  const __m128i low = mix(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
  const __m128i high = mix(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
  __m128i result = _mm_and_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(0x00FFFFFF));
  if constexpr (kKeyed) {
    const __m128i keyed = _mm_cmpeq_epi32(s, key);
    result = _mm_or_si128(_mm_and_si128(keyed, d), _mm_andnot_si128(keyed, result));
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), result);
}

// One row of an unscaled blend: the source pixels lie side by side, eight are mixed a turn.
template <bool kKeyed>
int BlendRow(uint32_t* out, const uint32_t* in, int count, __m128i alpha, __m128i inverse,
             __m128i key) {
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    BlendFour<kKeyed>(out + i, in + i, alpha, inverse, key);
    BlendFour<kKeyed>(out + i + 4, in + i + 4, alpha, inverse, key);
  }
  for (; i + 4 <= count; i += 4) BlendFour<kKeyed>(out + i, in + i, alpha, inverse, key);
  return i;
}

// The same blend eight pixels at a time where the processor has AVX2. The unpacking and
// packing work within each 128-bit half, so the pixels come back in their order. The
// constants are made here, not passed in, so no AVX2 value crosses into code built without it.
[[gnu::target("avx2")]] inline __m256i MixWide(__m256i s16, __m256i d16, __m256i alpha16,
                                               __m256i inverse16) {
  return _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_mullo_epi16(s16, alpha16), _mm256_mullo_epi16(d16, inverse16)), 8);
}

template <bool kKeyed>
[[gnu::target("avx2")]] int BlendRowWide(uint32_t* out, const uint32_t* in, int count, int alpha,
                                         uint32_t key) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i alpha16 = _mm256_set1_epi16(static_cast<int16_t>(alpha));
  const __m256i inverse16 = _mm256_set1_epi16(static_cast<int16_t>(kOpaque - alpha));
  const __m256i key32 = _mm256_set1_epi32(static_cast<int32_t>(key));
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out + i));
    const __m256i low =
        MixWide(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), alpha16, inverse16);
    const __m256i high =
        MixWide(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), alpha16, inverse16);
    __m256i result = _mm256_and_si256(_mm256_packus_epi16(low, high), rgb);
    if constexpr (kKeyed) result = _mm256_blendv_epi8(result, d, _mm256_cmpeq_epi32(s, key32));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), result);
  }
  return i;
}

// A row whose source pixels lie side by side: as many as the widest loop can take, the next
// four at a time, the last one by one.
template <bool kKeyed>
void BlendRun(uint32_t* out, const uint32_t* in, int count, int alpha, uint32_t key) {
  const __m128i alpha16 = _mm_set1_epi16(static_cast<int16_t>(alpha));
  const __m128i inverse16 = _mm_set1_epi16(static_cast<int16_t>(kOpaque - alpha));
  const __m128i key32 = _mm_set1_epi32(static_cast<int32_t>(key));
  int i = platform::HasAvx2() ? BlendRowWide<kKeyed>(out, in, count, alpha, key) : 0;
  i += BlendRow<kKeyed>(out + i, in + i, count - i, alpha16, inverse16, key32);
  for (; i < count; ++i) {
    if (kKeyed && in[i] == key) continue;
    out[i] = Blend(in[i], out[i], static_cast<uint32_t>(alpha));
  }
}

// The clipped work of a blend: the destination block [left, right) × [top, bottom) and the
// 16.16 source position of its first pixel and of each step.
struct TStretch {
  const uint32_t* source;
  int sourcePitch;
  uint32_t* dest;
  int destPitch;
  int left, top, right, bottom;
  int64_t startX, startY, stepX, stepY;
};

// Alpha 255 and above: the source pixels themselves.
void CopyStretched(const TStretch& job, bool transparent, uint32_t key) {
  int64_t sy = job.startY;
  for (int y = job.top; y < job.bottom; ++y, sy += job.stepY) {
    const uint32_t* in = job.source + (sy >> 16) * job.sourcePitch;
    uint32_t* out = job.dest + int64_t{y} * job.destPitch;
    int64_t sx = job.startX;
    for (int x = job.left; x < job.right; ++x, sx += job.stepX) {
      const uint32_t pixel = in[sx >> 16];
      if (!transparent || pixel != key) out[x] = pixel;
    }
  }
}

// Destination columns whose source columns are listed at once; the lists live on the stack.
constexpr int kBand = 1024;

[[gnu::target("avx2")]] int GatherRowWide(uint32_t* out, const uint32_t* row,
                                          const int32_t* columns, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns + i));
    const __m256i pixels = _mm256_i32gather_epi32(reinterpret_cast<const int*>(row), at, 4);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), pixels);
  }
  return i;
}

// Picks the source pixel of each destination column out of one source row.
void GatherRow(uint32_t* out, const uint32_t* row, const int32_t* columns, int count) {
  int i = platform::HasAvx2() ? GatherRowWide(out, row, columns, count) : 0;
  for (; i < count; ++i) out[i] = row[columns[i]];
}

// Unscaled across, each row's source pixels lie side by side and are blended where they are.
template <bool kKeyed>
void BlendUnscaled(const TStretch& job, int alpha, uint32_t key) {
  int64_t sy = job.startY;
  for (int y = job.top; y < job.bottom; ++y, sy += job.stepY) {
    const uint32_t* in = job.source + (sy >> 16) * job.sourcePitch + (job.startX >> 16);
    uint32_t* out = job.dest + int64_t{y} * job.destPitch + job.left;
    BlendRun<kKeyed>(out, in, job.right - job.left, alpha, key);
  }
}

// Stretched across, each band of columns is gathered once per source row and blended as an
// unscaled row; consecutive destination rows on the same source row share the gathered pixels.
template <bool kKeyed>
void BlendStretched(const TStretch& job, int alpha, uint32_t key) {
  int32_t columns[kBand];
  uint32_t gathered[kBand];
  for (int x = job.left; x < job.right; x += kBand) {
    const int count = std::min(kBand, job.right - x);
    const int64_t sx = job.startX + (x - job.left) * job.stepX;
    for (int i = 0; i < count; ++i) columns[i] = static_cast<int32_t>((sx + i * job.stepX) >> 16);
    int64_t sy = job.startY;
    int64_t gatheredRow = -1;
    for (int y = job.top; y < job.bottom; ++y, sy += job.stepY) {
      if (sy >> 16 != gatheredRow) {
        gatheredRow = sy >> 16;
        GatherRow(gathered, job.source + gatheredRow * job.sourcePitch, columns, count);
      }
      BlendRun<kKeyed>(job.dest + int64_t{y} * job.destPitch + x, gathered, count, alpha, key);
    }
  }
}

template <bool kKeyed>
void BlendBlock(const TStretch& job, int alpha, uint32_t key) {
  if (job.stepX == kOne) {
    BlendUnscaled<kKeyed>(job, alpha, key);
  } else {
    BlendStretched<kKeyed>(job, alpha, key);
  }
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
  const TStretch job{.source = src->pixels_.data(),
                     .sourcePitch = src->width_,
                     .dest = pixels_.data(),
                     .destPitch = width_,
                     .left = left,
                     .top = top,
                     .right = right,
                     .bottom = bottom,
                     .startX = source.Left * kOne + (left - destRect.Left) * stepX,
                     .startY = source.Top * kOne + (top - destRect.Top) * stepY,
                     .stepX = stepX,
                     .stepY = stepY};
  const uint32_t key = src->transparentColor_;
  spans_.Invalidate();
  if (alpha >= kOpaque) {
    CopyStretched(job, transparent, key);
  } else if (transparent) {
    BlendBlock<true>(job, alpha, key);
  } else {
    BlendBlock<false>(job, alpha, key);
  }
}

}  // namespace engine
