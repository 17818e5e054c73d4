#include <gtest/gtest.h>

#include "gameplay/effect_pan.h"

namespace {

// Left to right across the 800 px field, never all in one ear, and beyond the edges at the
// edge.
TEST(EffectPan, FollowsTheFieldLeftToRightUpToItsEdges) {
  const struct {
    double x;
    float pan;
  } kPlaces[] = {{-200, -0.6f}, {0, -0.6f},  {200, -0.3f}, {400, 0},
                 {600, 0.3f},   {800, 0.6f}, {1400, 0.6f}};
  for (const auto& place : kPlaces)
    EXPECT_NEAR(gameplay::EffectPan(place.x), place.pan, 1e-6) << place.x;
}

}  // namespace
