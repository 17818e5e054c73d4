#include "platform/picture_scaler.h"

#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/cpu_features.h"

namespace platform {

namespace {

constexpr int64_t kWeightOne = 256;

// Coverage: target pixel x spans [x, x + 1); the seam after the source pixel its left edge
// lies in sits at (i + 1) · target / source. The part of x beyond the seam is the weight of
// the next source pixel. An enlargement never lets a target pixel reach a third one.
TScaleTap SharpTap(int64_t x, int64_t source, int64_t target) {
  const int64_t index = x * source / target;
  const int64_t beyond = (x + 1) * source - (index + 1) * target;
  if (beyond <= 0 || index + 1 >= source) return {static_cast<int>(index), 0};
  return {static_cast<int>(index), static_cast<int>(beyond * kWeightOne / source)};
}

// Bilinear: the centre of x, (x + ½) · source / target − ½ in source pixels, between the
// centres of two source pixels.
TScaleTap SmoothTap(int64_t x, int64_t source, int64_t target) {
  const int64_t numerator = (2 * x + 1) * source - target;
  const int64_t denominator = 2 * target;
  if (numerator <= 0) return {0, 0};
  const int64_t index = numerator / denominator;
  if (index >= source - 1) return {static_cast<int>(source - 1), 0};
  return {static_cast<int>(index),
          static_cast<int>(numerator % denominator * kWeightOne / denominator)};
}

void MixRowsScalar(uint32_t* out, const uint32_t* a, const uint32_t* b, int count, int weight) {
  for (int x = 0; x < count; ++x) out[x] = MixPixels(a[x], b[x], weight);
}

// Two channels of eight pixels, one in each 16-bit lane, mixed: 255 · 256 + 128 never
// overflows the lane, so the sums are those of MixPixels exactly.
[[gnu::target("avx2")]] inline __m256i MixLanes(__m256i a, __m256i b, __m256i wa, __m256i wb) {
  const __m256i low = _mm256_set1_epi32(0x00FF00FF);
  const __m256i half = _mm256_set1_epi16(0x80);
  return _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(a, low), wa),
                                        _mm256_mullo_epi16(_mm256_and_si256(b, low), wb)),
                       half),
      8);
}

// Eight MixPixels at once; wa and wb hold each pixel's weights in both halves of its lane.
[[gnu::target("avx2")]] inline __m256i MixEight(__m256i pa, __m256i pb, __m256i wa, __m256i wb) {
  const __m256i rb = MixLanes(pa, pb, wa, wb);
  const __m256i g = MixLanes(_mm256_srli_epi32(pa, 8), _mm256_srli_epi32(pb, 8), wa, wb);
  // Only green of the second pair is wanted: the pixel's top byte stays 0.
  return _mm256_or_si256(rb, _mm256_and_si256(_mm256_slli_epi32(g, 8), _mm256_set1_epi32(0xFF00)));
}

[[gnu::target("avx2")]] void MixRowsWide(uint32_t* out, const uint32_t* a, const uint32_t* b,
                                         int count, int weight) {
  const __m256i wa = _mm256_set1_epi16(static_cast<int16_t>(256 - weight));
  const __m256i wb = _mm256_set1_epi16(static_cast<int16_t>(weight));
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + x));
    const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + x));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), MixEight(pa, pb, wa, wb));
  }
  MixRowsScalar(out + x, a + x, b + x, count - x, weight);
}

// A source row scaled across, eight target pixels a turn: both source pixels of each are
// gathered and mixed by its own weight.
[[gnu::target("avx2")]] int ScaleRowWide(uint32_t* out, const uint32_t* in, const int32_t* index,
                                         const uint32_t* weight, int count) {
  const __m256i one = _mm256_set1_epi16(256);
  const __m256i next = _mm256_set1_epi32(1);
  const int* base = reinterpret_cast<const int*>(in);
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(index + x));
    const __m256i wb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weight + x));
    const __m256i pa = _mm256_i32gather_epi32(base, at, 4);
    const __m256i pb = _mm256_i32gather_epi32(base, _mm256_add_epi32(at, next), 4);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                        MixEight(pa, pb, _mm256_sub_epi16(one, wb), wb));
  }
  return x;
}

void MixRows(uint32_t* out, const uint32_t* a, const uint32_t* b, int count, int weight) {
  if (HasAvx2()) {
    MixRowsWide(out, a, b, count, weight);
  } else {
    MixRowsScalar(out, a, b, count, weight);
  }
}

}  // namespace

std::vector<TScaleTap> ScaleTaps(TScaleMode mode, int source, int target) {
  std::vector<TScaleTap> taps(static_cast<size_t>(std::max(target, 0)));
  if (source <= 0) return taps;
  const int factor = target / source;
  for (int x = 0; x < target; ++x) {
    if (target < source || mode == TScaleMode::Smooth) {
      taps[x] = SmoothTap(x, source, target);
    } else if (mode == TScaleMode::Integer) {
      taps[x] = {std::min(x / factor, source - 1), 0};
    } else {
      taps[x] = SharpTap(x, source, target);
    }
  }
  return taps;
}

void TPictureScaler::Prepare(TScaleMode mode, int sourceWidth, int sourceHeight, int targetWidth,
                             int targetHeight) {
  if (mode == mode_ && sourceWidth == sourceWidth_ && sourceHeight == sourceHeight_ &&
      static_cast<int>(columns_.size()) == targetWidth &&
      static_cast<int>(rows_.size()) == targetHeight)
    return;
  mode_ = mode;
  sourceWidth_ = sourceWidth;
  sourceHeight_ = sourceHeight;
  columns_ = ScaleTaps(mode, sourceWidth, targetWidth);
  rows_ = ScaleTaps(mode, sourceHeight, targetHeight);
  // The wide loop reads the next source pixel even where the weight is 0; at the row's end it
  // reads the same one again instead of one past it.
  columnIndex_.resize(columns_.size());
  columnWeight_.resize(columns_.size());
  for (size_t x = 0; x < columns_.size(); ++x) {
    columnIndex_[x] = std::max(0, std::min(columns_[x].index, sourceWidth - 2));
    const int weight = columns_[x].index > columnIndex_[x] ? 256 : columns_[x].weight;
    columnWeight_[x] = static_cast<uint32_t>(weight) * 0x10001u;
  }
  for (auto& row : scaled_) row.assign(static_cast<size_t>(targetWidth), 0);
}

// A source row scaled across, from one of the two slots; a new one goes to the slot that
// does not hold `keep`, the row still needed beside it.
const uint32_t* TPictureScaler::ScaledRow(const uint32_t* source, int sourcePitch, int row,
                                          int keep) {
  for (int slot = 0; slot < 2; ++slot)
    if (scaledRow_[slot] == row) return scaled_[slot].data();
  const int slot = scaledRow_[0] == keep ? 1 : 0;
  scaledRow_[slot] = row;
  const uint32_t* in = source + static_cast<std::ptrdiff_t>(row) * sourcePitch;
  uint32_t* out = scaled_[slot].data();
  const int width = static_cast<int>(columns_.size());
  int x = 0;
  if (HasAvx2() && sourceWidth_ >= 2)
    x = ScaleRowWide(out, in, columnIndex_.data(), columnWeight_.data(), width);
  for (; x < width; ++x) {
    const TScaleTap tap = columns_[x];
    out[x] =
        tap.weight == 0 ? in[tap.index] : MixPixels(in[tap.index], in[tap.index + 1], tap.weight);
  }
  return out;
}

void TPictureScaler::Scale(TScaleMode mode, const uint32_t* source, int sourceWidth,
                           int sourceHeight, int sourcePitch, uint32_t* target, int targetWidth,
                           int targetHeight, int targetPitch) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return;
  Prepare(mode, sourceWidth, sourceHeight, targetWidth, targetHeight);
  scaledRow_[0] = scaledRow_[1] = -1;  // a new picture
  const size_t rowBytes = static_cast<size_t>(targetWidth) * sizeof(uint32_t);
  for (int y = 0; y < targetHeight; ++y) {
    const TScaleTap tap = rows_[y];
    uint32_t* out = target + static_cast<std::ptrdiff_t>(y) * targetPitch;
    if (tap.weight == 0) {
      // A flat row: the same as the row above when both lie in one source row.
      if (y > 0 && rows_[y - 1].weight == 0 && rows_[y - 1].index == tap.index) {
        std::memcpy(out, out - targetPitch, rowBytes);
      } else {
        std::memcpy(out, ScaledRow(source, sourcePitch, tap.index, -1), rowBytes);
      }
      continue;
    }
    const uint32_t* upper = ScaledRow(source, sourcePitch, tap.index, -1);
    const uint32_t* lower = ScaledRow(source, sourcePitch, tap.index + 1, tap.index);
    MixRows(out, upper, lower, targetWidth, tap.weight);
  }
}

}  // namespace platform
