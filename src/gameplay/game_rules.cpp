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
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kFullTurnDegrees = 355;

constexpr std::array<int, kBonusEntries + 1> kKindOfEntry = {0, 0, 1, 2, 3, 4, 7, 8, 9, 5, 6};
constexpr std::array<double, kBonusEntries + 1> kWeightOfEntry = {0,   -1.0, 0.2, 0.2, 0.05, -1.0,
                                                                  0.3, 0.15, 0.1, 0.1, 0.1};

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

int BonusKindOf(int entry) {
  return entry >= 1 && entry <= kBonusEntries ? kKindOfEntry[entry] : 0;
}

int BonusSlotOf(int kind) {
  for (int entry = 1; entry <= kBonusEntries; ++entry) {
    if (kKindOfEntry[entry] == kind) return entry;
  }
  return 0;
}

double BonusWeight(int entry) {
  return entry >= 1 && entry <= kBonusEntries ? kWeightOfEntry[entry] : -1.0;
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

}  // namespace gameplay
