#include "crowd.h"

#include "app/form.h"
#include "objects/bullet.h"
#include "objects/player.h"

namespace sim {

namespace {

constexpr int kKinds = 4;
constexpr int kHunterKinds = 3;
constexpr int kBonusKinds = 10;
constexpr int kFullLives = 3;

}  // namespace

void TCrowd::BeforeFrame(TMForm& form) {
  if (form.ScreenType != kScreenGame || form.WindowOpen != 0 || !form.Game.Player) return;
  form.Game.Lives = kFullLives;
  if (!form.Game.Player->Owned[objects::kHeroBonusEntry]) form.Game.Player->StartHero();
  while (form.Game.Monsters.FirstFree() != 0) {
    form.Game.AddMonster(Between(300, 780), 6, static_cast<uint8_t>(Between(0, kKinds - 1)));
  }
  while (form.Game.GroundGuns.FirstFree() != 0) {
    const int kind = Between(0, kHunterKinds - 1);
    form.Game.AddGroundGun(Between(100, 690), gameplay::HunterY(kind), 6,
                           static_cast<uint8_t>(kind));
  }
  while (form.Game.Bonuses.FirstFree() != 0) {
    form.Game.AddBonus(Between(200, 780), Between(100, 469), 9,
                       static_cast<uint8_t>(Between(0, kBonusKinds - 1)));
  }
  while (form.Game.Bullets.FirstFree() != 0) {
    const bool players = Between(0, 1) == 0;
    form.Game.FireShot(Between(150, 750), Between(60, 560), 11, players ? 2 : 8,
                       players ? Between(-10, 10) : -128 + Between(-20, 20), TBullet::kRocket,
                       players ? TBullet::kPlayerSide : TBullet::kEnemySide, false);
  }
}

}  // namespace sim
