#pragma once

#include <array>

// The geometry of the craft's and the wingman's collisions: quadrilaterals tested corner by
// corner.
namespace objects {

struct TPointD {
  double x = 0;
  double y = 0;
};
// Corners in the order top-left, bottom-left, top-right, bottom-right.
using TQuad = std::array<TPointD, 4>;

// Inside when the angles seen from the point between consecutive corners add up to a full
// turn (at least 355 degrees).
bool PointInQuad(TPointD p, TPointD c1, TPointD c2, TPointD c3, TPointD c4);
bool QuadsOverlap(const TQuad& a, const TQuad& b);
TQuad BoxQuad(double left, double top, double right, double bottom);

}  // namespace objects
