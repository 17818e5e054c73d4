#include "gameplay/game.h"

#include "objects/player.h"

namespace {

using gameplay::LevelFactor;

constexpr int kSpawnX = 900;
constexpr int kSpawnDepth = 6;
constexpr int kBonusDepth = 9;
constexpr int kHunterPause = 1500;  // ms since the last of its family before another comes
constexpr int kMonsterPause = 1000;
constexpr int kBonusPause = 1000;
constexpr int kHunterDraw = 20000;
constexpr int kMonsterDraw = 10000;
constexpr int kBonusDraw = 20000;
constexpr int kBonusTop = 100;
constexpr int kBonusHeights = 370;  // y 100..469

struct THunterEntry {
  int entry;
  uint8_t kind;
};
constexpr THunterEntry kHunterEntries[] = {{5, 0}, {6, 1}, {7, 2}};
constexpr int kMonsterEntries = 4;

}  // namespace

namespace gameplay {

void TGame::SpawnGroundGuns() {
  GunTimer += FrameMs;
  if (!(GunTimer > kHunterPause && !LevelOver)) return;
  for (const THunterEntry& hunter : kHunterEntries) {
    if (!EnemyKinds[hunter.entry]) continue;
    const int r = RandomBelow(kHunterDraw);
    if (HunterThreshold(LevelFactor(Level), SpeedFactor, EnemyKindCount) > r)
      AddGroundGun(kSpawnX, HunterY(hunter.kind), kSpawnDepth, hunter.kind);
  }
}

void TGame::SpawnMonsters() {
  MonsterTimer += FrameMs;
  if (!(MonsterTimer > kMonsterPause && EnemiesLeft > 0 && !LevelOver)) return;
  for (int entry = 0; entry < kMonsterEntries; ++entry) {
    if (!EnemyKinds[entry]) continue;
    const int r = RandomBelow(kMonsterDraw);
    if (MonsterThreshold(entry, LevelFactor(Level), SpeedFactor, EnemyKindCount) > r)
      AddMonster(kSpawnX, kSpawnDepth, static_cast<uint8_t>(entry));
  }
}

// The hero bonus is forced once the wingman has been shot down; any bonus added clears that.
void TGame::SpawnBonuses() {
  BonusTimer += FrameMs;
  if (!(BonusTimer > kBonusPause && !LevelOver)) return;
  for (int entry = 1; entry <= objects::kBonusEntries; ++entry) {
    if (!BonusKinds[entry]) continue;
    const int r = RandomBelow(kBonusDraw);
    const bool drawn = BonusThreshold(entry, BonusKindCount, SpeedFactor) >= r;
    const objects::TBonusKind kind = objects::BonusKindOf(entry);
    const bool forced = kind == objects::TBonusKind::Hero && Player->HeroLost;
    if (!drawn && !forced) continue;
    const int y = kBonusTop + RandomBelow(kBonusHeights);
    if (AddBonus(kSpawnX, y, kBonusDepth, kind)) Player->HeroLost = false;
  }
}

}  // namespace gameplay
