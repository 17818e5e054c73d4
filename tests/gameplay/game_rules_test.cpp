#include <gtest/gtest.h>

#include "gameplay/game_rules.h"
#include "objects/bullet.h"

namespace {

using namespace gameplay;

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

TEST(LevelFactor, SteadyToTenThenATenthLessALevelDownToAFifth) {
  EXPECT_DOUBLE_EQ(LevelFactor(1), 1.0);
  EXPECT_DOUBLE_EQ(LevelFactor(10), 1.0);
  EXPECT_NEAR(LevelFactor(11), 0.9, 1e-12);
  EXPECT_NEAR(LevelFactor(12), 0.8, 1e-12);
  EXPECT_NEAR(LevelFactor(18), 0.2, 1e-12);
  EXPECT_DOUBLE_EQ(LevelFactor(25), 0.2);
}

TEST(LevelTables, KindsArriveLevelByLevelAndTheQuotaStopsAtFifty) {
  const TEnemyKinds first = EnemyKindsOfLevel(1);
  EXPECT_EQ(EnemyKindCount(first), 1);
  EXPECT_TRUE(first[0]);
  EXPECT_TRUE(EnemyKindsOfLevel(3)[6]);  // hunter 2
  EXPECT_FALSE(EnemyKindsOfLevel(3)[5]);
  EXPECT_FALSE(EnemyKindsOfLevel(6)[5]);
  const TEnemyKinds seventh = EnemyKindsOfLevel(7);
  EXPECT_EQ(EnemyKindCount(seventh), 7);
  EXPECT_FALSE(seventh[4]);
  EXPECT_EQ(EnemyKindsOfLevel(40), seventh);

  const int expectedBonusCounts[] = {4, 5, 6, 7, 7, 7};
  for (int level = 1; level <= 6; ++level) {
    EXPECT_EQ(BonusKindCount(BonusEntriesOfLevel(level)), expectedBonusCounts[level - 1]) << level;
  }
  // Entries 9 and 10 are set from level 5 and on every level, but never counted.
  EXPECT_TRUE(BonusEntriesOfLevel(5)[9]);
  EXPECT_TRUE(BonusEntriesOfLevel(1)[10]);
  EXPECT_FALSE(BonusEntriesOfLevel(4)[9]);

  EXPECT_EQ(QuotaOfLevel(1), 10);
  EXPECT_EQ(QuotaOfLevel(4), 40);
  EXPECT_EQ(QuotaOfLevel(5), 50);
  EXPECT_EQ(QuotaOfLevel(99), 50);
}

TEST(BonusKinds, EntriesAndKindsMapBothWays) {
  const int kinds[] = {0, 1, 2, 3, 4, 7, 8, 9, 5, 6};
  for (int entry = 1; entry <= kBonusEntries; ++entry) {
    EXPECT_EQ(BonusKindOf(entry), kinds[entry - 1]);
    EXPECT_EQ(BonusSlotOf(BonusKindOf(entry)), entry);
  }
  EXPECT_EQ(BonusSlotOf(10), 0);
  EXPECT_EQ(BonusKindOf(11), 0);
}

TEST(SpawnThresholds, AtSpeedFactorOneTheDrawsMatchTheRates) {
  // Level 1: an airplane a frame with probability 100 in 10000.
  EXPECT_EQ(MonsterThreshold(0, 1.0, 1.0, 1), 100);
  // The dog's rate is 40, shared among the level's kinds.
  EXPECT_EQ(MonsterThreshold(2, 1.0, 1.0, 4), 10);
  // Level 18 (factor 0.2) with all seven kinds: 500 / 7, integer division.
  EXPECT_EQ(MonsterThreshold(1, 0.2, 1.0, 7), 71);
  // Ties round to even before the division: 100 / 0.8 = 125; 2.5 → 2.
  EXPECT_EQ(MonsterThreshold(0, 1.0, 0.025, 1), 2);
  EXPECT_EQ(MonsterThreshold(0, 1.0, 0.035, 1), 4);
  // The hunters' value is truncated: 140 / 0.9 = 155.5… → 155, then / 7.
  EXPECT_EQ(HunterThreshold(0.9, 1.0, 7), 22);
  EXPECT_EQ(HunterThreshold(1.0, 1.0, 3), 46);
  // Bonuses: (500 div count) × weight × 0.8.
  EXPECT_DOUBLE_EQ(BonusThreshold(2, 4, 1.0), 125 * 0.2 * 0.8);
  EXPECT_DOUBLE_EQ(BonusThreshold(4, 7, 1.0), 71 * 0.05 * 0.8);
  EXPECT_LT(BonusThreshold(1, 4, 1.0), 0);  // the basic gun never comes by chance
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
