#include "engine/pixel_runs.h"
#include "platform/cpu_features.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TCopy = void (*)(uint32_t*, const uint32_t*, int);

// Each copy must move exactly count pixels, from any alignment, and touch nothing around them:
// the overlapping last move must never reach past the run.
void ExpectExactRuns(TCopy copy) {
  std::vector<uint32_t> in(64);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0x100 + static_cast<uint32_t>(i);
  for (int offset = 0; offset < 8; ++offset)
    for (int count = 0; count <= 40; ++count) {
      std::vector<uint32_t> out(64, 0xDEAD);
      copy(out.data() + 8 + offset, in.data() + offset, count);
      for (int i = 0; i < 64; ++i) {
        const int at = i - 8 - offset;
        const uint32_t want = at >= 0 && at < count ? in[offset + at] : 0xDEADu;
        ASSERT_EQ(out[i], want) << "count " << count << " offset " << offset << " pixel " << i;
      }
    }
}

TEST(PixelRuns, TheNarrowCopyMovesExactlyTheRun) {
  ExpectExactRuns(engine::pixel_runs::CopyNarrow);
}

TEST(PixelRuns, TheWideCopyMovesExactlyTheRunWhereTheProcessorHasIt) {
  if (!platform::HasAvx2()) GTEST_SKIP() << "no AVX2 here";
  ExpectExactRuns(engine::pixel_runs::CopyWide);
}

}  // namespace
