#include <gtest/gtest.h>

#include "gameplay/game_rules.h"

namespace {

using namespace gameplay;

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
  // The mega bomb comes from level 5 and the life on every level, but neither is counted.
  const int megaBomb = objects::BonusSlotOf(objects::TBonusKind::MegaBomb);
  EXPECT_TRUE(BonusEntriesOfLevel(5)[megaBomb]);
  EXPECT_TRUE(BonusEntriesOfLevel(1)[objects::BonusSlotOf(objects::TBonusKind::Life)]);
  EXPECT_FALSE(BonusEntriesOfLevel(4)[megaBomb]);

  EXPECT_EQ(QuotaOfLevel(1), 10);
  EXPECT_EQ(QuotaOfLevel(4), 40);
  EXPECT_EQ(QuotaOfLevel(5), 50);
  EXPECT_EQ(QuotaOfLevel(99), 50);
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

}  // namespace
