#include "engine/surface.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using engine::TDirectDrawSurface;
using engine::TRect;

constexpr uint32_t A = 0x102030, B = 0x405060, C = 0x708090, D = 0xA0B0C0;
constexpr uint32_t kKey = 0xFF00FF;

// A one-row surface holding the given pixels.
struct TRow : TDirectDrawSurface {
  explicit TRow(const std::vector<uint32_t>& pixels)
      : TDirectDrawSurface(static_cast<int>(pixels.size()), 1) {
    std::copy(pixels.begin(), pixels.end(), Pixels());
  }
};

std::vector<uint32_t> RowOf(const TDirectDrawSurface& s, int y = 0) {
  return {s.Pixels() + y * s.Width(), s.Pixels() + (y + 1) * s.Width()};
}

TEST(SurfaceDraw, ClipsAtTheLeftEdgeAndShiftsTheSource) {
  const TRow src({A, B, C, D});
  TDirectDrawSurface dest(4, 1);
  dest.Draw(-2, 0, {0, 0, 4, 1}, &src, false);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{C, D, 0, 0}));
  dest.Fill(0);
  dest.Draw(3, 0, {0, 0, 4, 1}, &src, false);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{0, 0, 0, A}));
  dest.Fill(0);
  dest.Draw(1, 0, {-1, 0, 2, 1}, &src, false);  // the source rectangle is clipped too
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{0, 0, A, B}));
  dest.Fill(0);
  dest.Draw(5, 0, {0, 0, 4, 1}, &src, false);
  dest.Draw(0, 0, {0, 0, 4, 1}, nullptr, false);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{0, 0, 0, 0}));
}

TEST(SurfaceDraw, SkipsTheColourKeyOnlyWhenTransparent) {
  TRow src({A, kKey, C});
  src.SetTransparentColor(kKey);
  TRow dest({D, D, D});
  dest.Draw(0, 0, {0, 0, 3, 1}, &src, true);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{A, D, C}));
  dest.Draw(0, 0, {0, 0, 3, 1}, &src, false);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{A, kKey, C}));
}

TEST(SurfaceDraw, ReversedRectanglesMirror) {
  const TRow src({A, B, C, D});
  TDirectDrawSurface dest(4, 1);
  dest.Draw(0, 0, {4, 0, 0, 1}, &src, false);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{D, C, B, A}));
  dest.Fill(0);
  dest.Draw(-1, 0, {4, 0, 0, 1}, &src, false);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{C, B, A, 0}));

  TDirectDrawSurface column(1, 2);
  column.Pixels()[0] = A;
  column.Pixels()[1] = B;
  TDirectDrawSurface out(1, 2);
  out.Draw(0, 0, {0, 2, 1, 0}, &column, false);
  EXPECT_EQ(out.Pixel(0, 0), B);
  EXPECT_EQ(out.Pixel(0, 1), A);
}

TEST(SurfaceAlpha, ZeroDrawsNothingAndFullCopiesLikeAStretchedTransparentCopy) {
  TRow src({A, kKey});
  src.SetTransparentColor(kKey);
  TRow dest({D, D, D, D});
  dest.DrawAlpha({0, 0, 4, 1}, {0, 0, 2, 1}, &src, true, 0);
  dest.DrawAlpha({0, 0, 4, 1}, {0, 0, 2, 1}, &src, true, -5);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{D, D, D, D}));
  dest.DrawAlpha({0, 0, 4, 1}, {0, 0, 2, 1}, &src, true, 255);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{A, A, D, D}));
  dest.DrawAlpha({0, 0, 4, 1}, {0, 0, 2, 1}, &src, false, 300);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{A, A, kKey, kKey}));
}

TEST(SurfaceAlpha, BlendsEachChannelDividedBy256) {
  const TRow src({0xC86432});  // 200, 100, 50
  TDirectDrawSurface dest(1, 1);
  dest.DrawAlpha({0, 0, 1, 1}, {0, 0, 1, 1}, &src, false, 128);
  EXPECT_EQ(dest.Pixel(0, 0), 0x643219u);  // 100, 50, 25
  TRow white({0xFFFFFF});
  white.DrawAlpha({0, 0, 1, 1}, {0, 0, 1, 1}, &src, false, 64);
  // (200·64 + 255·191) / 256 = 240, (100·64 + 255·191) / 256 = 215, (50·64 + 255·191) / 256 = 202
  EXPECT_EQ(white.Pixel(0, 0), (240u << 16) | (215u << 8) | 202u);
}

TEST(SurfaceAlpha, ClippedDestinationTakesTheSourceInProportion) {
  const TRow src({A, B, C, D});
  TDirectDrawSurface dest(3, 1);
  // 4 source pixels onto 8 destination pixels starting at -3: columns 3..5 of the stretch.
  dest.DrawAlpha({-3, 0, 5, 1}, {0, 0, 4, 1}, &src, false, 255);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{B, C, C}));
  // Shrinking takes the nearest lower neighbour: 4 onto 3 steps 1.333.
  dest.DrawAlpha({0, 0, 3, 1}, {0, 0, 4, 1}, &src, false, 255);
  EXPECT_EQ(RowOf(dest), (std::vector<uint32_t>{A, B, C}));
}

struct RotateFixture : ::testing::Test {
  TRow src{{A, B}};
  TDirectDrawSurface dest{20, 20};

  std::vector<std::pair<int, int>> Drawn() const {
    std::vector<std::pair<int, int>> at;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        if (dest.Pixel(x, y) != 0) at.emplace_back(x, y);
    return at;
  }
};

TEST_F(RotateFixture, QuarterTurnIsClockwiseOnScreen) {
  dest.DrawRotate(10, 10, 2, 1, {0, 0, 2, 1}, &src, 0, 0, false, 64);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{9, 10}, {9, 11}}));
  EXPECT_EQ(dest.Pixel(9, 10), A);
  EXPECT_EQ(dest.Pixel(9, 11), B);
}

TEST_F(RotateFixture, FullTurnEqualsNoTurnAndTheCentreShiftsThePicture) {
  dest.DrawRotate(10, 10, 2, 1, {0, 0, 2, 1}, &src, 0, 0, false, 256);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{10, 10}, {11, 10}}));
  EXPECT_EQ(dest.Pixel(10, 10), A);
  dest.Fill(0);
  // Scaled to 4 × 2 about its middle: shifted by (-2, -1).
  dest.DrawRotate(10, 10, 4, 2, {0, 0, 2, 1}, &src, 0.5, 0.5, false, 0);
  EXPECT_EQ(Drawn().size(), 8u);
  EXPECT_EQ(dest.Pixel(8, 9), A);
  EXPECT_EQ(dest.Pixel(9, 10), A);
  EXPECT_EQ(dest.Pixel(10, 9), B);
  EXPECT_EQ(dest.Pixel(11, 10), B);
}

TEST_F(RotateFixture, NothingForEmptySizesOrASourceRectangleOutsideTheSource) {
  dest.DrawRotate(10, 10, 0, 1, {0, 0, 2, 1}, &src, 0, 0, false, 0);
  dest.DrawRotate(10, 10, 2, 1, {0, 0, 3, 1}, &src, 0, 0, false, 0);
  dest.DrawRotate(10, 10, 2, 1, {0, 0, 2, 1}, nullptr, 0, 0, false, 0);
  EXPECT_TRUE(Drawn().empty());
  src.SetTransparentColor(A);
  dest.DrawRotate(10, 10, 2, 1, {0, 0, 2, 1}, &src, 0, 0, true, 0);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{11, 10}}));
}

TEST(SurfaceColour, ColorMatchGivesTheRawPixelAndLeavesTheSurfaceAlone) {
  TRow s({A});
  EXPECT_EQ(s.ColorMatch(0xFF00FF), 0xFF00FFu);
  EXPECT_EQ(s.ColorMatch(0x0000FF), 0xFF0000u);  // 0x00BBGGRR: pure red
  EXPECT_EQ(s.ColorMatch(0x123456), 0x563412u);
  EXPECT_EQ(s.Pixel(0, 0), A);
}

}  // namespace

namespace {

// Transparent copies move precomputed opaque runs; they must give exactly what the plain
// rule gives: every source pixel of the clipped rectangle that is not the key, mirrored
// where the rectangle is reversed.
void ReferenceDraw(std::vector<uint32_t>& dest, int dw, int dh, int x, int y, engine::TRect r,
                   const std::vector<uint32_t>& src, int sw, int sh, uint32_t key) {
  const bool mx = r.Right < r.Left, my = r.Bottom < r.Top;
  const int left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
  const int top = std::min(r.Top, r.Bottom), bottom = std::max(r.Top, r.Bottom);
  for (int j = 0; j < bottom - top; ++j)
    for (int i = 0; i < right - left; ++i) {
      const int sx = mx ? right - 1 - i : left + i, sy = my ? bottom - 1 - j : top + j;
      const int tx = x + i, ty = y + j;
      if (sx < 0 || sy < 0 || sx >= sw || sy >= sh || tx < 0 || ty < 0 || tx >= dw || ty >= dh)
        continue;
      const uint32_t p = src[sy * sw + sx];
      if (p != key) dest[ty * dw + tx] = p;
    }
}

TEST(SurfaceDraw, TransparentCopiesMatchThePlainRuleAtEveryClipAndWidth) {
  std::mt19937 random(5);
  const auto below = [&](int n) { return static_cast<int>(random() % n); };
  for (int round = 0; round < 400; ++round) {
    const int sw = 1 + below(17), sh = 1 + below(9), dw = 1 + below(24), dh = 1 + below(12);
    TDirectDrawSurface src(sw, sh), dest(dw, dh);
    for (int i = 0; i < sw * sh; ++i) src.Pixels()[i] = below(3) == 0 ? kKey : 1 + below(1000);
    for (int i = 0; i < dw * dh; ++i) dest.Pixels()[i] = 5000 + i;
    src.SetTransparentColor(kKey);
    std::vector<uint32_t> expected(dest.Pixels(), dest.Pixels() + dw * dh);
    std::vector<uint32_t> source(src.Pixels(), src.Pixels() + sw * sh);
    engine::TRect r{below(sw + 4) - 2, below(sh + 4) - 2, below(sw + 4) - 2, below(sh + 4) - 2};
    const int x = below(dw + 10) - 8, y = below(dh + 10) - 8;
    dest.Draw(x, y, r, &src, true);
    if (x <= dw && y <= dh) ReferenceDraw(expected, dw, dh, x, y, r, source, sw, sh, kKey);
    ASSERT_EQ(std::vector<uint32_t>(dest.Pixels(), dest.Pixels() + dw * dh), expected)
        << "round " << round << " src " << sw << "x" << sh << " rect " << r.Left << "," << r.Top
        << "," << r.Right << "," << r.Bottom << " at " << x << "," << y;
    // The kept runs follow the picture when it changes.
    src.Pixels()[0] = src.Pixels()[0] == kKey ? 7 : kKey;
    source[0] = src.Pixels()[0];
    dest.Draw(x, y, r, &src, true);
    if (x <= dw && y <= dh) ReferenceDraw(expected, dw, dh, x, y, r, source, sw, sh, kKey);
    ASSERT_EQ(std::vector<uint32_t>(dest.Pixels(), dest.Pixels() + dw * dh), expected)
        << "after the picture changed, round " << round;
  }
}

}  // namespace
