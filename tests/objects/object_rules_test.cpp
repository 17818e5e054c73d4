#include <gtest/gtest.h>

#include "objects/bonus_entries.h"
#include "objects/bullet.h"
#include "objects/quads.h"

// The game objects' own numbers and geometry: shot velocities, the bonus entries, the
// quadrilaterals the craft and the wingman collide by.
namespace {

using namespace objects;

TEST(ShotVelocity, FollowsTheAngleWithEachComponentTruncated) {
  struct {
    int angle, speed, x, y;
  } const cases[] = {{0, 10, 10, 0},    {-92, 7, -4, -5}, {-90, 10, -5, -8},
                     {-102, 8, -6, -4}, {-128, 8, -8, 0}, {10, 7, 6, 1}};
  for (const auto& c : cases) {
    const TVelocity v = VelocityOf(c.angle, c.speed);
    EXPECT_EQ(v.x, c.x) << c.angle << " " << c.speed;
    EXPECT_EQ(v.y, c.y) << c.angle << " " << c.speed;
  }
  // The triple launcher's side rockets climb only once their speed reaches 5.
  EXPECT_EQ(VelocityOf(10, 4).y, 0);
  EXPECT_EQ(VelocityOf(10, 5).y, 1);
  EXPECT_EQ(VelocityOf(-10, 5).y, -1);
}

TEST(BonusKinds, EntriesAndKindsMapBothWays) {
  using enum TBonusKind;
  const TBonusKind kinds[] = {BasicGun, Score,     RocketLauncher, Hero,     Nothing,
                              RapidGun, DoubleGun, TripleRocket,   MegaBomb, Life};
  for (int entry = 1; entry <= kBonusEntries; ++entry) {
    EXPECT_EQ(BonusKindOf(entry), kinds[entry - 1]);
    EXPECT_EQ(BonusSlotOf(BonusKindOf(entry)), entry);
  }
  EXPECT_EQ(BonusSlotOf(static_cast<TBonusKind>(kBonusKinds)), 0);
  EXPECT_EQ(BonusKindOf(11), BasicGun);
}

TEST(PointInQuad, InsideOnTheEdgeOnACornerAndOutside) {
  const TQuad box = BoxQuad(0, 0, 100, 50);
  const auto in = [&](double x, double y) {
    return PointInQuad({x, y}, box[0], box[1], box[2], box[3]);
  };
  EXPECT_TRUE(in(50, 25));
  EXPECT_TRUE(in(1, 1));
  EXPECT_TRUE(in(99, 49));
  EXPECT_TRUE(in(50, 0));    // on an edge
  EXPECT_TRUE(in(100, 50));  // on a corner: no direction, but on the box
  // The corners are taken top-left, bottom-left, top-right, bottom-right, crossing the box,
  // so its left and right sides reach a little past it: the game's collisions are that
  // generous.
  EXPECT_TRUE(in(101, 25));
  EXPECT_FALSE(in(130, 25));
  EXPECT_FALSE(in(50, -3));
  EXPECT_FALSE(in(-20, -20));
  EXPECT_FALSE(in(300, 25));
}

TEST(QuadsOverlap, EitherHoldingACornerOfTheOther) {
  const TQuad hero = BoxQuad(5, 5, 50, 43);
  EXPECT_TRUE(QuadsOverlap(hero, BoxQuad(40, 30, 150, 80)));
  EXPECT_TRUE(QuadsOverlap(hero, BoxQuad(10, 10, 20, 20)));  // inside: its corners are in
  EXPECT_TRUE(QuadsOverlap(BoxQuad(10, 10, 20, 20), hero));  // and the other way round
  EXPECT_FALSE(QuadsOverlap(hero, BoxQuad(60, 5, 100, 43)));
  EXPECT_FALSE(QuadsOverlap(hero, BoxQuad(5, 44, 50, 80)));
}

}  // namespace
