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

using objects::BonusSlotOf;
using objects::TBonusKind;
using enum objects::TBonusKind;

// The level from which each kind of bonus may be drawn and its share of the draw; the basic
// gun is never drawn.
struct TBonusDraw {
  TBonusKind kind;
  int firstLevel;
  double weight;
};
constexpr TBonusDraw kBonusDraws[] = {
    {Score, 1, 0.2},          {Hero, 1, 0.05},        {Nothing, 1, -1.0},
    {Life, 1, 0.1},           {RapidGun, 1, 0.3},     {DoubleGun, 2, 0.15},
    {RocketLauncher, 3, 0.2}, {TripleRocket, 4, 0.1}, {MegaBomb, 5, 0.1},
};

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
  for (const TBonusDraw& bonus : kBonusDraws)
    entries[BonusSlotOf(bonus.kind)] = level >= bonus.firstLevel;
  return entries;
}

int EnemyKindCount(const TEnemyKinds& kinds) {
  return static_cast<int>(std::count(kinds.begin(), kinds.end(), true));
}

int BonusKindCount(const TBonusEntries& entries) {
  const int all = static_cast<int>(std::count(entries.begin(), entries.end(), true));
  return all - entries[BonusSlotOf(MegaBomb)] - entries[BonusSlotOf(Life)];
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
  if (entry < 1 || entry > objects::kBonusEntries) return -1.0;
  for (const TBonusDraw& bonus : kBonusDraws)
    if (BonusSlotOf(bonus.kind) == entry) return bonus.weight;
  return -1.0;
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
