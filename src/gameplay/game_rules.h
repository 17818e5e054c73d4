#pragma once

#include <array>

// The numbers of the running game that do not depend on any sprite: what each level brings,
// how often things spawn, the bonus kinds and the geometry of the craft's collisions.
namespace gameplay {

constexpr int kEnemyEntries = 8;  // 0–3 enemies, 4 never set, 5–7 hunters
constexpr int kBonusEntries = 10;
constexpr int kBonusKinds = 10;
// Entries whose bonus only appears when it is forced: the hero bonus's entry.
constexpr int kHeroBonusEntry = 4;

using TEnemyKinds = std::array<bool, kEnemyEntries>;
using TBonusEntries = std::array<bool, kBonusEntries + 1>;  // entries 1..10; 0 unused

TEnemyKinds EnemyKindsOfLevel(int level);
TBonusEntries BonusEntriesOfLevel(int level);
int EnemyKindCount(const TEnemyKinds& kinds);
// Only entries 1 to 8 are counted.
int BonusKindCount(const TBonusEntries& entries);
int QuotaOfLevel(int level);

// 1 up to level 10, then a tenth less a level down to 0.2: smaller spawns more often.
double LevelFactor(int level);

// Where hunters of kind 0..2 stand: on the front hills, each at its own height.
double HunterY(int kind);

// Entry 1..10 to bonus kind 0..9 and back; 0 for a value outside the table.
int BonusKindOf(int entry);
int BonusSlotOf(int kind);
double BonusWeight(int entry);

// The spawners draw r below 20000 (hunters), 10000 (enemies) or 20000 (bonuses) and add
// when the threshold beats r: hunters and enemies when it is greater, bonuses when it is at
// least as large.
int HunterThreshold(double levelFactor, double speedFactor, int enemyKindCount);
int MonsterThreshold(int entry, double levelFactor, double speedFactor, int enemyKindCount);
double BonusThreshold(int entry, int bonusKindCount, double speedFactor);

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

}  // namespace gameplay
