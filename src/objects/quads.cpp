#include "objects/quads.h"

#include <algorithm>
#include <cmath>

namespace objects {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kFullTurnDegrees = 355;

}  // namespace

// A point on a corner sees no direction to it; it lies on the quadrilateral's edge and counts
// as inside. Rounding can take a dot product of unit vectors a hair past ±1, where the arc
// cosine has no value; it is held to the range.
bool PointInQuad(TPointD p, TPointD c1, TPointD c2, TPointD c3, TPointD c4) {
  std::array<TPointD, 4> directions;
  const std::array<TPointD, 4> corners = {c1, c2, c3, c4};
  for (size_t i = 0; i < corners.size(); ++i) {
    const double dx = corners[i].x - p.x;
    const double dy = corners[i].y - p.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return true;
    directions[i] = {dx / length, dy / length};
  }
  double degrees = 0;
  for (size_t i = 0; i < directions.size(); ++i) {
    const TPointD& a = directions[i];
    const TPointD& b = directions[(i + 1) % directions.size()];
    const double dot = std::clamp(a.x * b.x + a.y * b.y, -1.0, 1.0);
    degrees += std::acos(dot) * kDegreesPerRadian;
  }
  return degrees >= kFullTurnDegrees;
}

bool QuadsOverlap(const TQuad& a, const TQuad& b) {
  for (int i = 3; i >= 0; --i) {
    if (PointInQuad(b[i], a[0], a[1], a[2], a[3])) return true;
  }
  for (int i = 3; i >= 0; --i) {
    if (PointInQuad(a[i], b[0], b[1], b[2], b[3])) return true;
  }
  return false;
}

TQuad BoxQuad(double left, double top, double right, double bottom) {
  return {TPointD{left, top}, TPointD{left, bottom}, TPointD{right, top}, TPointD{right, bottom}};
}

}  // namespace objects
