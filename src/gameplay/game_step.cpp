#include "gameplay/game.h"

#include "engine/sprite_engine.h"
#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"

namespace {

constexpr int kBlinksBetweenLevels = 15;
// The play area: outside it a game object is freed.
constexpr int kAreaRight = 1400;
constexpr int kAreaLeft = -20;
constexpr int kAreaTop = -20;
constexpr int kAreaBottom = 680;

bool OutsideTheArea(const engine::TSprite& sprite) {
  return sprite.X > kAreaRight || sprite.X + sprite.Width < kAreaLeft || sprite.Y < kAreaTop ||
         sprite.Y + sprite.Height > kAreaBottom;
}

template <typename TTable, typename TGone>
void FreeWhereGone(TTable& table, TGone gone) {
  for (int i = 1; i <= TTable::kSlots; ++i) {
    const auto* object = table[i];
    if (object && (OutsideTheArea(*object) || gone(*object))) table.Free(i);
  }
}

}  // namespace

namespace gameplay {

// One frame of the running game.
void TGame::GameStep(int lag) {
  parts_.Sprites.StepAll(lag);
  const TPilotInput pilot = shell_.PilotInput();
  Player->FireHeld = pilot.Fire;
  if (Player->State == TPlayer::kReborn || Player->State == TPlayer::kFlying) {
    Player->MoveLeft = pilot.Left;
    Player->MoveRight = pilot.Right;
    Player->MoveUp = pilot.Up;
    Player->MoveDown = pilot.Down;
  }
  if (EnemiesLeft <= 0 && !Player->LevelDone) {
    EndLevel();
    Player->StartLevelEnd();
  }
  if (Player->LevelDone && Player->BlinkCount >= kBlinksBetweenLevels) {
    Player->Respawn();
    StartLevel(Level + 1);
  }
  SpawnGroundGuns();
  SpawnMonsters();
  SpawnBonuses();
  DrawHud();
  CullOffscreen();
  if (shell_.QuitPressed()) OpenWindow(kWindowQuitToMenu);
  if (shell_.PausePressed()) OpenWindow(kWindowPause);
}

void TGame::CullOffscreen() {
  FreeWhereGone(Bullets, [](const TBullet& shot) { return !shot.Visible; });
  FreeWhereGone(GroundGuns, [](const TGroundGun& hunter) { return !hunter.Visible; });
  FreeWhereGone(Monsters, [](const TMonster& monster) { return !monster.Visible; });
  FreeWhereGone(Bonuses, [](const TBonus& bonus) { return bonus.Taken; });
}

}  // namespace gameplay
