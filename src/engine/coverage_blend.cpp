#include "engine/coverage_blend.h"

#include <cstring>

#include <emmintrin.h>

namespace engine {

namespace {

// Coverage c mixes the font colour over the surface: (colour × c + surface × (255 − c)) / 255,
// rounded. For every such sum x, floor((x + 127) / 255) is ((x + 128) + ((x + 128) >> 8)) >> 8,
// which needs no division and fits 16 bits, so four pixels are mixed at once exactly.
inline uint32_t MixChannel(uint32_t fore, uint32_t back, uint32_t c) {
  return (fore * c + back * (255 - c) + 127) / 255;
}

inline uint32_t MixPixel(uint32_t colour, uint32_t back, uint32_t c) {
  if (c == 0) return back;
  if (c == 255) return colour;
  return MixChannel(colour >> 16, back >> 16 & 0xFF, c) << 16 |
         MixChannel(colour >> 8 & 0xFF, back >> 8 & 0xFF, c) << 8 |
         MixChannel(colour & 0xFF, back & 0xFF, c);
}

inline __m128i MixHalf(__m128i fore16, __m128i back16, __m128i c16) {
  const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), c16);
  const __m128i sum =
      _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(fore16, c16), _mm_mullo_epi16(back16, inverse)),
                    _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(sum, _mm_srli_epi16(sum, 8)), 8);
}

// Four pixels; those without coverage keep every bit they had.
inline void MixFour(uint32_t* out, const uint8_t* cover, __m128i fore16) {
  uint32_t four;
  std::memcpy(&four, cover, sizeof four);
  if (four == 0) return;
  const __m128i zero = _mm_setzero_si128();
  __m128i c = _mm_cvtsi32_si128(static_cast<int>(four));
  c = _mm_unpacklo_epi8(c, c);
  c = _mm_unpacklo_epi16(c, c);  // each coverage byte repeated over its pixel's four bytes
  const __m128i back = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out));
  const __m128i low = MixHalf(fore16, _mm_unpacklo_epi8(back, zero), _mm_unpacklo_epi8(c, zero));
  const __m128i high = MixHalf(fore16, _mm_unpackhi_epi8(back, zero), _mm_unpackhi_epi8(c, zero));
  const __m128i mixed = _mm_and_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(0x00FFFFFF));
  const __m128i bare = _mm_cmpeq_epi32(c, zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                   _mm_or_si128(_mm_and_si128(bare, back), _mm_andnot_si128(bare, mixed)));
}

}  // namespace

void BlendCoverageRow(uint32_t* out, const uint8_t* cover, int count, uint32_t colour) {
  const __m128i fore16 =
      _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), _mm_setzero_si128());
  int i = 0;
  for (; i + 4 <= count; i += 4) MixFour(out + i, cover + i, fore16);
  for (; i < count; ++i) out[i] = MixPixel(colour, out[i], cover[i]);
}

}  // namespace engine
