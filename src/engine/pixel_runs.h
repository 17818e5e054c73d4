#pragma once

#include <cstdint>

#include <emmintrin.h>
#include <immintrin.h>

namespace engine::pixel_runs {

// Sprite runs are short: wide moves, the last one overlapping the one before it, beat a call
// to memcpy for each run. The narrow copy needs only SSE2, which every x86-64 has; the wide
// one needs AVX2 and is used only where the processor has it (HasAvx2).
inline void CopyNarrow(uint32_t* out, const uint32_t* in, int count) {
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

[[gnu::target("avx2")]] inline void CopyWide(uint32_t* out, const uint32_t* in, int count) {
  if (count < 8) {
    CopyNarrow(out, in, count);
    return;
  }
  for (int i = 0; i + 8 < count; i += 8) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i)));
  }
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + count - 8),
                      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + count - 8)));
}

}  // namespace engine::pixel_runs
