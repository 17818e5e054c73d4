#include "platform/picture_scaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/sdl/sdl_presenter.h"

namespace {

using platform::TScaleMode;

// The rule, one target pixel at a time, in the plainest terms: along each axis the part of
// the target pixel that lies beyond the seam after its first source pixel is the weight of
// the next one (Sharp); the pixel's centre between two source centres (Smooth); the source
// pixel under it (Integer). Rows are blended across first, then down.
struct TAxisWeight {
  int64_t index;
  int64_t weight;
};

TAxisWeight Reference(TScaleMode mode, int64_t x, int64_t n, int64_t m) {
  if (m < n || mode == TScaleMode::Smooth) {
    // centre = ((2x + 1) n − m) / 2m source pixels
    const int64_t c = (2 * x + 1) * n - m;
    if (c <= 0) return {0, 0};
    if (c / (2 * m) >= n - 1) return {n - 1, 0};
    return {c / (2 * m), c % (2 * m) * 256 / (2 * m)};
  }
  if (mode == TScaleMode::Integer) return {std::min(x / (m / n), n - 1), 0};
  const int64_t first = x * n / m;
  const int64_t seamInTarget = (first + 1) * m;  // in n-ths of a target pixel
  const int64_t end = (x + 1) * n;
  if (end <= seamInTarget || first + 1 >= n) return {first, 0};
  return {first, (end - seamInTarget) * 256 / n};
}

uint32_t Channelwise(uint32_t a, uint32_t b, int64_t w) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int64_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= static_cast<uint32_t>((ca * (256 - w) + cb * w + 128) >> 8) << shift;
  }
  return out;
}

std::vector<uint32_t> ReferenceScale(TScaleMode mode, const std::vector<uint32_t>& src, int n,
                                     int nh, int m, int mh) {
  std::vector<uint32_t> out(static_cast<size_t>(m) * mh);
  for (int y = 0; y < mh; ++y) {
    const TAxisWeight ry = Reference(mode, y, nh, mh);
    for (int x = 0; x < m; ++x) {
      const TAxisWeight rx = Reference(mode, x, n, m);
      auto across = [&](int64_t row) {
        const uint32_t a = src[row * n + rx.index];
        const uint32_t b = rx.weight ? src[row * n + rx.index + 1] : a;
        return Channelwise(a, b, rx.weight);
      };
      const uint32_t upper = across(ry.index);
      const uint32_t lower = ry.weight ? across(ry.index + 1) : upper;
      out[static_cast<size_t>(y) * m + x] = Channelwise(upper, lower, ry.weight);
    }
  }
  return out;
}

TEST(PictureScaler, MatchesThePlainRuleAtEverySizeAndFactor) {
  std::mt19937 random(11);
  platform::TPictureScaler scaler;  // one scaler: its tables must follow every change of size
  for (int trial = 0; trial < 300; ++trial) {
    const int n = 1 + static_cast<int>(random() % 37), nh = 1 + static_cast<int>(random() % 23);
    // Whole factors 1 to 5, fractional ones between, and now and then a reduction.
    const int factor = 1 + static_cast<int>(random() % 5);
    const int m = trial % 7 == 6 ? 1 + static_cast<int>(random() % n)
                                 : n * factor + static_cast<int>(random() % (n + 1));
    const int mh = static_cast<int>(int64_t{m} * nh / n) + static_cast<int>(random() % 3);
    std::vector<uint32_t> src(static_cast<size_t>(n) * nh);
    for (uint32_t& p : src) p = random() & 0xFFFFFF;
    for (TScaleMode mode : {TScaleMode::Sharp, TScaleMode::Integer, TScaleMode::Smooth}) {
      // A pitch wider than the row, and a border the scaler must not touch.
      const int pitch = m + 3;
      std::vector<uint32_t> out(static_cast<size_t>(pitch) * mh, 0xDEADBEEF);
      scaler.Scale(mode, src.data(), n, nh, n, out.data(), m, mh, pitch);
      const auto expected = ReferenceScale(mode, src, n, nh, m, mh);
      for (int y = 0; y < mh; ++y) {
        for (int x = 0; x < pitch; ++x) {
          const uint32_t got = out[static_cast<size_t>(y) * pitch + x];
          const uint32_t want = x < m ? expected[static_cast<size_t>(y) * m + x] : 0xDEADBEEF;
          ASSERT_EQ(got, want) << "mode " << int(mode) << " " << n << "x" << nh << " -> " << m
                               << "x" << mh << " at " << x << "," << y;
        }
      }
    }
  }
}

// Sharp keeps every source pixel a flat block: a target pixel inside one source pixel takes it
// unblended, only a target pixel that straddles a seam is blended (so each seam blends one at
// most), the blocks are all as wide give or take a pixel, and whole factors blend nothing.
TEST(PictureScaler, SharpBlendsOnlyAtTheSeams) {
  for (const auto& [n, m] : {std::pair{800, 1440},
                             {600, 1080},
                             {800, 2880},
                             {600, 720},
                             {800, 960},
                             {600, 2160},
                             {800, 800},
                             {800, 2400}}) {
    const auto taps = platform::ScaleTaps(TScaleMode::Sharp, n, m);
    std::vector<int> flatRun(static_cast<size_t>(n), 0);
    int blended = 0;
    for (int x = 0; x < m; ++x) {
      const int64_t seam = int64_t{taps[x].index + 1} * m;  // in n-ths of a target pixel
      const bool straddles = int64_t{x} * n < seam && seam < int64_t{x + 1} * n;
      ASSERT_EQ(taps[x].weight != 0, straddles) << n << " -> " << m << " at " << x;
      if (straddles) {
        ++blended;
      } else {
        ++flatRun[static_cast<size_t>(taps[x].index)];
      }
    }
    EXPECT_LE(blended, n - 1);
    if (m % n == 0) {
      EXPECT_EQ(blended, 0) << n << " -> " << m;
    }
    const auto [low, high] = std::minmax_element(flatRun.begin(), flatRun.end());
    EXPECT_LE(*high - *low, 1) << n << " -> " << m;
  }
}

// The pointer goes back through the same scaling: a window pixel lands on the game pixel the
// scaler drew there, and a game pixel's window position lands back on it.
TEST(PictureScaler, ThePointerMapsThroughTheSameScaling) {
  for (const auto& [w, h] : {std::pair{1920, 1080},
                             {1280, 720},
                             {2560, 1440},
                             {3840, 2160},
                             {800, 600},
                             {1600, 1200},
                             {1024, 768},
                             {640, 480}}) {
    platform::TSdlPresenter presenter;
    presenter.Place(w, h, 800, 600);
    const SDL_Rect t = presenter.Target();
    const auto columns = platform::ScaleTaps(TScaleMode::Sharp, 800, t.w);
    for (int x = 0; x < t.w; ++x)
      ASSERT_EQ(presenter.ToPicture(t.x + x, t.y).x, columns[x].index) << w << " at " << x;
    if (t.w < 800) continue;  // a reduction draws some game pixels nowhere
    for (int x = 0; x < 800; ++x) {
      const platform::TPoint there = presenter.FromPicture(x, x * 3 / 4);
      ASSERT_EQ(presenter.ToPicture(there.x, there.y).x, x) << w;
      ASSERT_EQ(presenter.ToPicture(there.x, there.y).y, x * 3 / 4) << w;
    }
  }
}

}  // namespace
