#include "crowd.h"

#include "app/form.h"
#include "objects/bullet.h"
#include "objects/player.h"

namespace sim {

namespace {

constexpr int kKinds = 4;
constexpr int kHunterKinds = 3;
constexpr int kFullLives = 3;

}  // namespace

// Each number is drawn into its own variable, in a fixed order: the order in which a call's
// arguments are worked out is the compiler's choice, and every build must fill the same scene.
void TCrowd::BeforeFrame(TMForm& form) {
  if (form.ScreenType() != kScreenGame || form.WindowOpen() != 0 || !form.Game.Player) return;
  form.Game.Lives = kFullLives;
  if (!form.Game.Player->Owns(objects::TBonusKind::Hero)) form.Game.Player->StartHero();
  while (form.Game.Monsters.FirstFree() != 0) {
    const int kind = Between(0, kKinds - 1);
    const int x = Between(300, 780);
    form.Game.AddMonster(x, 6, static_cast<uint8_t>(kind));
  }
  while (form.Game.GroundGuns.FirstFree() != 0) {
    const int kind = Between(0, kHunterKinds - 1);
    const int x = Between(100, 690);
    form.Game.AddGroundGun(x, gameplay::HunterY(kind), 6, static_cast<uint8_t>(kind));
  }
  while (form.Game.Bonuses.FirstFree() != 0) {
    const int kind = Between(0, objects::kBonusKinds - 1);
    const int y = Between(100, 469);
    const int x = Between(200, 780);
    form.Game.AddBonus(x, y, 9, static_cast<objects::TBonusKind>(kind));
  }
  while (form.Game.Bullets.FirstFree() != 0) {
    const bool players = Between(0, 1) == 0;
    const int angle = players ? Between(-10, 10) : -128 + Between(-20, 20);
    const int y = Between(60, 560);
    const int x = Between(150, 750);
    form.Game.FireShot(x, y, 11, players ? 2 : 8, angle, TBullet::kRocket,
                       players ? TBullet::kPlayerSide : TBullet::kEnemySide, false);
  }
}

}  // namespace sim
