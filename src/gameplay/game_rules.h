#pragma once

#include <array>

#include "objects/bonus_entries.h"

// The numbers of the running game that do not depend on any sprite: what each level brings
// and how often things spawn.
namespace gameplay {

// Goes up by one whenever what happens in a game changes on purpose (the golden traces are
// recorded anew): replays recorded under other rules are not played as if they were ours.
constexpr int kRulesVersion = 9;

constexpr int kEnemyEntries = 8;  // 0–3 enemies, 4 never set, 5–7 hunters
using TEnemyKinds = std::array<bool, kEnemyEntries>;
using TBonusEntries = std::array<bool, objects::kBonusEntries + 1>;  // entries 1..10; 0 unused

TEnemyKinds EnemyKindsOfLevel(int level);
TBonusEntries BonusEntriesOfLevel(int level);
int EnemyKindCount(const TEnemyKinds& kinds);
// The mega bomb and the life are not counted.
int BonusKindCount(const TBonusEntries& entries);
int QuotaOfLevel(int level);

// 1 up to level 10, then a tenth less a level down to 0.2: smaller spawns more often.
double LevelFactor(int level);

// Where hunters of kind 0..2 stand: on the front hills, each at its own height.
double HunterY(int kind);

// An entry's share of the bonus draw; -1 for an entry that is never drawn.
double BonusWeight(int entry);

// The spawners draw r below 20000 (hunters), 10000 (enemies) or 20000 (bonuses) and add
// when the threshold beats r: hunters and enemies when it is greater, bonuses when it is at
// least as large.
int HunterThreshold(double levelFactor, double speedFactor, int enemyKindCount);
int MonsterThreshold(int entry, double levelFactor, double speedFactor, int enemyKindCount);
double BonusThreshold(int entry, int bonusKindCount, double speedFactor);

}  // namespace gameplay
