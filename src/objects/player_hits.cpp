#include <cmath>

#include "objects/bonus.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "objects/weapons.h"
#include "objects/world.h"

namespace {

constexpr int kScoreBonusPoints = 100;
// A bird swallows the craft when the craft's nose is in its beak: near in X, and the craft's
// middle near the beak's height.
constexpr double kBeakReachX = 110;
constexpr double kBeakY = 60.5;
constexpr double kBeakReachY = 30;

}  // namespace

void TPlayer::OnHit(engine::TSprite& other, bool&) {
  if (auto* hunter = dynamic_cast<TGroundGun*>(&other)) {
    if (hunter->Dead || State != kFlying) return;
    Explode();
    hunter->Die();
  } else if (auto* monster = dynamic_cast<TMonster*>(&other)) {
    if (monster->Dying || State != kFlying) return;
    if (monster->Kind != TMonster::kBird) {
      Explode();
    } else if (X - monster->X < kBeakReachX &&
               std::abs(Y + Height / 2.0 - monster->Y - kBeakY) < kBeakReachY) {
      Eaten();
      monster->Eat();
    }
  } else if (auto* bonus = dynamic_cast<TBonus*>(&other)) {
    if (State == kDying) return;
    PlayEffectFromHere("Bonus");
    switch (bonus->Kind) {
      case objects::TBonusKind::Score:
        AddScore(kScoreBonusPoints);
        break;
      case objects::TBonusKind::Nothing:
        break;
      case objects::TBonusKind::Life:
        AddLife();
        break;
      default:
        Give(bonus->Kind);
        break;
    }
    bonus->Taken = true;
  }
}

void TPlayer::MegaBlast() {
  const int damage = objects::WeaponOf(objects::TBonusKind::MegaBomb)->blastDamage;
  for (int i = 1; i <= decltype(World().GroundGuns)::kSlots; ++i) {
    TGroundGun* hunter = World().GroundGuns[i];
    if (hunter && !hunter->Dead) hunter->Damage(damage);
  }
  for (int i = 1; i <= decltype(World().Monsters)::kSlots; ++i) {
    TMonster* monster = World().Monsters[i];
    if (monster && !monster->Dying) monster->Damage(damage);
  }
}
