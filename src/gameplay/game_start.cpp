#include "gameplay/game.h"

#include <algorithm>

#include "engine/sprite_engine.h"
#include "objects/ground_gun.h"
#include "objects/kill_and_forget.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "objects/scroll_background.h"

namespace {

constexpr uint8_t kImageList = 2;

struct THillLayer {
  const char* image;
  double y;
  int z;
  int speedX;
};
// The first layer is the ground everything on it drifts with.
constexpr THillLayer kHillLayers[] = {{"Hills1", 494, 11, -4}, {"Hills2", 444, 4, -3}};

}  // namespace

namespace gameplay {

void TGame::StartGame(uint32_t seed) {
  gameSeed_ = seed;
  random_.seed(seed);
  shell_.ShowGameScreen();
  for (size_t i = 0; i < Hills.size(); ++i) {
    const THillLayer& layer = kHillLayers[i];
    Hills[i] = new TScrollBackground(*this, kImageList, layer.image, 2, 1);  // owned by the tree
    Hills[i]->X = 0;
    Hills[i]->Y = layer.y;
    Hills[i]->SetZ(layer.z);
    Hills[i]->SpeedX = layer.speedX;
  }
  Background = Hills[0];
  Player = new TPlayer(*this);  // owned by the tree
  Player->Respawn();
  CreateHud();
  DrawHud();
  StartLevel(std::max(shell_.FirstLevel(), 1));
}

void TGame::StartLevel(int n) {
  Level = n;
  LevelOver = false;
  EnemyKinds = gameplay::EnemyKindsOfLevel(n);
  BonusKinds = gameplay::BonusEntriesOfLevel(n);
  EnemiesLeft = gameplay::QuotaOfLevel(n);
  EnemyKindCount = gameplay::EnemyKindCount(EnemyKinds);
  BonusKindCount = gameplay::BonusKindCount(BonusKinds);
  Player->StartHero();
  Player->Owned[objects::BonusSlotOf(objects::TBonusKind::BasicGun)] = true;
  FreeAllBonuses();
  FreeAllShots();
  FreeAllGroundGuns();
  FreeAllMonsters();
  OpenWindow(kWindowLevelBanner);
}

// The quota is met: whatever still flies or stands dies at once, for nothing.
void TGame::EndLevel() {
  LevelOver = true;
  FreeAllBonuses();
  FreeAllShots();
  for (int i = 1; i <= decltype(Monsters)::kSlots; ++i) {
    if (TMonster* monster = Monsters[i]) monster->Die();
  }
  for (int i = 1; i <= decltype(GroundGuns)::kSlots; ++i) {
    if (TGroundGun* hunter = GroundGuns[i]) hunter->Die();
  }
}

// The world goes at once; the sky stays for the menus.
void TGame::EndGame() {
  shell_.LeaveGameScreen();
  for (TScrollBackground*& hills : Hills) KillAndForget(hills);
  Background = nullptr;
  KillAndForget(Player);
  KillHud();
  FreeAllShots();
  FreeAllGroundGuns();
  FreeAllMonsters();
  FreeAllBonuses();
  parts_.Sprites.PurgeDead();
}

}  // namespace gameplay
