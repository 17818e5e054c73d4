#include "gameplay/game_rules.h"

#include <algorithm>
#include <cmath>

namespace gameplay {

namespace {

constexpr int kQuotaPerLevel = 10;
constexpr int kLargestQuota = 50;
constexpr int kLastSteadyLevel = 10;
constexpr double kFactorStep = 0.1;
constexpr double kSmallestFactor = 0.2;
constexpr double kHunterRate = 140;
constexpr double kMonsterRate = 100;
constexpr double kDogRate = 40;
constexpr int kDogEntry = 2;
constexpr int kBonusRate = 500;
constexpr double kBonusDamping = 0.8;

constexpr std::array<double, objects::kBonusEntries + 1> kWeightOfEntry = {
    0, -1.0, 0.2, 0.2, 0.05, -1.0, 0.3, 0.15, 0.1, 0.1, 0.1};

}  // namespace

TEnemyKinds EnemyKindsOfLevel(int level) {
  TEnemyKinds kinds{};
  kinds[0] = true;
  kinds[1] = level >= 2;
  kinds[6] = level >= 3;
  kinds[2] = level >= 4;
  kinds[7] = level >= 5;
  kinds[3] = level >= 6;
  kinds[5] = level >= 7;
  return kinds;
}

TBonusEntries BonusEntriesOfLevel(int level) {
  TBonusEntries entries{};
  for (int always : {2, 4, 5, 10}) entries[always] = true;
  entries[6] = true;
  entries[7] = level >= 2;
  entries[3] = level >= 3;
  entries[8] = level >= 4;
  entries[9] = level >= 5;
  return entries;
}

int EnemyKindCount(const TEnemyKinds& kinds) {
  return static_cast<int>(std::count(kinds.begin(), kinds.end(), true));
}

int BonusKindCount(const TBonusEntries& entries) {
  return static_cast<int>(std::count(entries.begin() + 1, entries.begin() + 9, true));
}

int QuotaOfLevel(int level) {
  return std::min(kQuotaPerLevel * level, kLargestQuota);
}

double LevelFactor(int level) {
  if (level <= kLastSteadyLevel) return 1.0;
  return std::max(1 - kFactorStep * (level - kLastSteadyLevel), kSmallestFactor);
}

double HunterY(int kind) {
  constexpr double kHunterY[] = {409, 407, 429};
  return kind >= 0 && kind < static_cast<int>(std::size(kHunterY)) ? kHunterY[kind] : kHunterY[0];
}

double BonusWeight(int entry) {
  return entry >= 1 && entry <= objects::kBonusEntries ? kWeightOfEntry[entry] : -1.0;
}

int HunterThreshold(double levelFactor, double speedFactor, int enemyKindCount) {
  const int v = static_cast<int>(kHunterRate / levelFactor * speedFactor);
  return enemyKindCount > 0 ? v / enemyKindCount : v;
}

int MonsterThreshold(int entry, double levelFactor, double speedFactor, int enemyKindCount) {
  const double rate = entry == kDogEntry ? kDogRate : kMonsterRate;
  const int v = static_cast<int>(std::nearbyint(rate / levelFactor * speedFactor));
  return enemyKindCount > 0 ? v / enemyKindCount : v;
}

double BonusThreshold(int entry, int bonusKindCount, double speedFactor) {
  const int share = bonusKindCount > 0 ? kBonusRate / bonusKindCount : kBonusRate;
  return share * BonusWeight(entry) * kBonusDamping * speedFactor;
}

}  // namespace gameplay
