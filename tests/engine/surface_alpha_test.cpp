#include "engine/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

namespace {

using engine::TDirectDrawSurface;
using engine::TRect;

constexpr uint32_t kKey = 0xFF00FF;

// The blend written from the rule: the source rectangle clipped to its surface, 16.16
// stepping from the clipped destination, each channel (s × a + d × (255 − a)) / 256, the key
// skipped, nothing for alpha 0 and below, a copy for 255 and above.
void ReferenceAlpha(std::vector<uint32_t>& dest, int dw, int dh, TRect d, TRect r,
                    const std::vector<uint32_t>& src, int sw, int sh, uint32_t key,
                    bool transparent, int alpha) {
  r = {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, sw), std::min(r.Bottom, sh)};
  if (alpha <= 0 || r.Width() <= 0 || r.Height() <= 0 || d.Width() <= 0 || d.Height() <= 0) return;
  const int64_t stepX = int64_t{r.Width()} * 65536 / d.Width();
  const int64_t stepY = int64_t{r.Height()} * 65536 / d.Height();
  for (int y = std::max(d.Top, 0); y < std::min(d.Bottom, dh); ++y)
    for (int x = std::max(d.Left, 0); x < std::min(d.Right, dw); ++x) {
      const int64_t sx = r.Left * int64_t{65536} + (x - d.Left) * stepX;
      const int64_t sy = r.Top * int64_t{65536} + (y - d.Top) * stepY;
      const uint32_t s = src[(sy >> 16) * sw + (sx >> 16)];
      if (transparent && s == key) continue;
      uint32_t& o = dest[y * dw + x];
      if (alpha >= 255) {
        o = s;
        continue;
      }
      uint32_t result = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c =
            ((s >> shift & 0xFF) * alpha + (o >> shift & 0xFF) * (255 - alpha)) / 256;
        result |= c << shift;
      }
      o = result;
    }
}

struct TBlendCase {
  int sw, sh;  // the source surface
  TRect sr;
  int dw, dh;  // the destination surface
  TRect d;
  bool transparent;
  int alpha;
};

std::string Describe(const TBlendCase& c) {
  std::ostringstream text;
  text << "source " << c.sw << "x" << c.sh << " rect " << c.sr.Left << "," << c.sr.Top << ","
       << c.sr.Right << "," << c.sr.Bottom << " onto " << c.dw << "x" << c.dh << " rect "
       << c.d.Left << "," << c.d.Top << "," << c.d.Right << "," << c.d.Bottom
       << (c.transparent ? " keyed" : "") << " alpha " << c.alpha;
  return text.str();
}

// Draws the case over random pixels and compares every destination pixel with the rule.
// Source pixels are the key about one time in four and often the extreme channel values;
// the top byte is random too, since the blend must drop it and a copy keep it.
testing::AssertionResult MatchesTheRule(const TBlendCase& c, std::mt19937& random) {
  const auto pixel = [&] {
    const uint32_t kinds[] = {kKey, 0, 0xFFFFFFFF, 0x00FFFFFF};
    const uint32_t kind = random() % 8;
    return kind < 4 ? kinds[kind] : static_cast<uint32_t>(random());
  };
  TDirectDrawSurface src(c.sw, c.sh), dest(c.dw, c.dh);
  std::generate(src.Pixels(), src.Pixels() + c.sw * c.sh, pixel);
  std::generate(dest.Pixels(), dest.Pixels() + c.dw * c.dh, pixel);
  src.SetTransparentColor(kKey);
  std::vector<uint32_t> expected(dest.Pixels(), dest.Pixels() + c.dw * c.dh);
  const std::vector<uint32_t> source(src.Pixels(), src.Pixels() + c.sw * c.sh);
  dest.DrawAlpha(c.d, c.sr, &src, c.transparent, c.alpha);
  ReferenceAlpha(expected, c.dw, c.dh, c.d, c.sr, source, c.sw, c.sh, kKey, c.transparent, c.alpha);
  for (int i = 0; i < c.dw * c.dh; ++i) {
    if (dest.Pixels()[i] != expected[i]) {
      std::ostringstream text;
      text << Describe(c) << ": pixel " << i % c.dw << "," << i / c.dw << " is " << std::hex
           << dest.Pixels()[i] << ", the rule gives " << expected[i];
      return testing::AssertionFailure() << text.str();
    }
  }
  return testing::AssertionSuccess();
}

// Source widths around a destination width: a single column, enlarged, the same (only the
// height stretched), shrunk a little and shrunk more than twice.
std::vector<int> SourceWidthsFor(int width) {
  return {1, width / 2 + 1, width, width + 1 + width / 3, 2 * width + 5};
}

TEST(SurfaceAlpha, StretchedRowsMatchTheRuleAtEveryWidthClipAndKey) {
  std::mt19937 random(11);
  for (int width = 1; width <= 40; ++width)
    for (const int sw : SourceWidthsFor(width))
      for (const int clip : {0, 1, 2})  // none, the left three columns, the right five
        for (const bool transparent : {false, true})
          for (const bool enlarge : {false, true}) {
            const int sh = enlarge ? 3 : 7, h = enlarge ? 7 : 3;
            const int left = clip == 1 ? -3 : 2;
            const int dw = clip == 2 ? left + width - 5 : left + width + 3;
            const TBlendCase c{.sw = sw + 2,
                               .sh = sh + 1,
                               .sr = {1, 1, sw + 1, sh + 1},
                               .dw = std::max(dw, 1),
                               .dh = h + 2,
                               .d = {left, 1, left + width, h + 1},
                               .transparent = transparent,
                               .alpha = 1 + static_cast<int>(random() % 254)};
            ASSERT_TRUE(MatchesTheRule(c, random));
          }
}

TEST(SurfaceAlpha, EveryAlphaFollowsTheRuleShrinkingAndEnlarging) {
  std::mt19937 random(12);
  for (int alpha = -1; alpha <= 300; ++alpha)
    for (const bool transparent : {false, true}) {
      // 29 columns: three rounds of eight, then four, then one; rows repeat, then rows skip.
      ASSERT_TRUE(MatchesTheRule({13, 5, {0, 0, 13, 5}, 31, 12, {1, 0, 30, 12}, transparent, alpha},
                                 random));
      ASSERT_TRUE(
          MatchesTheRule({61, 9, {2, 1, 60, 9}, 31, 4, {1, 0, 30, 4}, transparent, alpha}, random));
    }
}

TEST(SurfaceAlpha, RowsWiderThanOneListOfColumnsMatchTheRule) {
  std::mt19937 random(13);
  // Columns shown: either side of one and two lists of source columns.
  for (const int shown : {1023, 1024, 1025, 2047, 2048, 2051})
    for (const int sw : {shown / 3, shown - 1, 2 * shown + 1})
      for (const bool transparent : {false, true}) {
        // Clipped on the left by an odd count, so the lists start mid-picture.
        ASSERT_TRUE(MatchesTheRule(
            {sw, 2, {0, 0, sw, 2}, shown, 3, {-3, 0, shown, 3}, transparent, 77}, random));
      }
}

// Random shapes, sizes and placements, with source rectangles reaching past their surface.
TEST(SurfaceAlpha, RandomBlendsMatchTheRule) {
  std::mt19937 random(9);
  const auto below = [&](int n) { return static_cast<int>(random() % n); };
  for (int round = 0; round < 600; ++round) {
    TBlendCase c{};
    c.sw = 1 + below(40), c.sh = 1 + below(8), c.dw = 1 + below(70), c.dh = 1 + below(10);
    const int sl = below(c.sw + 2) - 1, st = below(c.sh + 2) - 1;
    c.sr = {sl, st, sl + 1 + below(c.sw + 2), st + 1 + below(c.sh + 2)};
    const int left = below(c.dw + 10) - 8, top = below(c.dh + 4) - 2;
    // Every other round unscaled, the common case.
    const bool unscaled = round % 2 == 0;
    c.d = {left, top, left + (unscaled ? c.sr.Width() : 1 + below(80)),
           top + (unscaled ? c.sr.Height() : 1 + below(12))};
    c.transparent = below(2) == 0;
    c.alpha = below(5) == 0 ? 255 : 1 + below(254);
    ASSERT_TRUE(MatchesTheRule(c, random)) << "round " << round;
  }
}

}  // namespace
