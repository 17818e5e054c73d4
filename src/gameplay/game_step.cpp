#include "app/form.h"
#include "engine/input_states.h"
#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"

namespace {

constexpr int kWindowQuitToMenu = 2;
constexpr int kWindowPause = 5;
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

// One frame of the running game.
void TMForm::GameStep(int lag) {
  MDXSpriteEngine.StepAll(lag);
  Player->FireHeld = SpaceHeld || CtrlHeld || MouseHeld || MDXInput.Controller.South;
  if (Player->State == TPlayer::kReborn || Player->State == TPlayer::kFlying) {
    const engine::TDXInputStates& states = MDXInput.KeyState;
    Player->MoveLeft = states.test(engine::ksLeft);
    Player->MoveRight = states.test(engine::ksRight);
    Player->MoveUp = states.test(engine::ksUp);
    Player->MoveDown = states.test(engine::ksDown);
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
  if (Keys.EscPressed) OpenWindow(kWindowQuitToMenu);
  if (Keys.PausePressed) OpenWindow(kWindowPause);
}

void TMForm::CullOffscreen() {
  FreeWhereGone(Bullets, [](const TBullet& shot) { return !shot.Visible; });
  FreeWhereGone(GroundGuns, [](const TGroundGun& hunter) { return !hunter.Visible; });
  FreeWhereGone(Monsters, [](const TMonster& monster) { return !monster.Visible; });
  FreeWhereGone(Bonuses, [](const TBonus& bonus) { return bonus.Taken; });
}
