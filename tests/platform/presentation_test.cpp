#include "platform/presentation.h"

#include <gtest/gtest.h>

namespace {

using platform::TSize;

// A window is never larger than the desktop's usable area with its frame; a smaller one keeps
// the picture's shape.
TEST(WindowSize, AsAskedWhereItFitsElseTheLargestOfThePicturesShapeThatDoes) {
  const TSize picture{800, 600};
  const struct {
    int scale;
    TSize usable, frame, window;
  } kCases[] = {
      {1, {1920, 1080}, {0, 30}, {800, 600}},
      {1, {800, 630}, {0, 30}, {800, 600}},      // exactly fits
      {1, {800, 629}, {0, 30}, {798, 599}},      // a pixel short: the height binds
      {1, {1024, 600}, {2, 24}, {768, 576}},     // a netbook's screen
      {2, {2560, 1440}, {0, 30}, {1600, 1200}},  // fits twice over
      {2, {1920, 1080}, {0, 30}, {1400, 1050}},  // twice is too tall
      {1, {700, 1000}, {0, 0}, {700, 525}},      // the width binds
      {3, {0, 0}, {0, 30}, {2400, 1800}},        // the desktop unknown
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(platform::WindowSizeFor(c.scale, c.usable, c.frame, picture), c.window)
        << c.scale << " on " << c.usable.width << "x" << c.usable.height;
  }
}

}  // namespace
