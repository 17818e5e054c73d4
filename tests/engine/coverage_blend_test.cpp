#include "engine/coverage_blend.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Written from the rule: each channel (colour × c + pixel × (255 − c) + 127) / 255; no
// coverage leaves the pixel whole, top byte included.
uint32_t Reference(uint32_t colour, uint32_t back, uint32_t c) {
  if (c == 0) return back;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t f = colour >> shift & 0xFF, b = back >> shift & 0xFF;
    result |= (f * c + b * (255 - c) + 127) / 255 << shift;
  }
  return result;
}

TEST(CoverageBlend, EveryCoverageOverEveryChannelValueIsTheRoundedMix) {
  for (const uint32_t colour : {0x000000u, 0xFFFFFFu, 0x61FF02u}) {
    std::vector<uint32_t> row(256), expected(256);
    std::vector<uint8_t> cover(256);
    for (int back = 0; back < 256; ++back) {
      for (int c = 0; c < 256; ++c) {
        row[c] = 0x01000000u * 7 + static_cast<uint32_t>(back) * 0x010101u;
        cover[c] = static_cast<uint8_t>(c);
        expected[c] = Reference(colour, row[c], c);
      }
      engine::BlendCoverageRow(row.data(), cover.data(), 256, colour);
      ASSERT_EQ(row, expected) << "colour " << colour << " background " << back;
    }
  }
}

TEST(CoverageBlend, RowsOfAnyLengthTouchOnlyTheirOwnPixels) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    const int count = static_cast<int>(random() % 18);
    const uint32_t colour = random() & 0xFFFFFF;
    std::vector<uint32_t> row(count + 8), expected;
    std::vector<uint8_t> cover(count + 8);
    for (auto& pixel : row) pixel = random();
    for (auto& c : cover) {
      const uint32_t kind = random() % 3;  // empty, full and partial coverage all mixed
      c = static_cast<uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : random() % 256);
    }
    expected = row;
    for (int i = 0; i < count; ++i) expected[4 + i] = Reference(colour, row[4 + i], cover[4 + i]);
    engine::BlendCoverageRow(row.data() + 4, cover.data() + 4, count, colour);
    ASSERT_EQ(row, expected) << "round " << round << " count " << count;
  }
}

}  // namespace
