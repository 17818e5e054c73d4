#include "gameplay/effect_pan.h"

#include <algorithm>

namespace gameplay {

namespace {

constexpr double kFieldWidth = 800;
// The far speaker keeps 40 % of a sound made at the field's edge.
constexpr double kEdgePan = 0.6;

}  // namespace

float EffectPan(double fieldX) {
  const double across = std::clamp(fieldX / kFieldWidth, 0.0, 1.0);
  return static_cast<float>((across * 2 - 1) * kEdgePan);
}

}  // namespace gameplay
