#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "objects/world.h"

namespace {

constexpr int kOffPlayfieldX = 815;
constexpr int kHitJump = 100;  // a shot that hit an enemy leaves upwards, out of the way

}  // namespace

// All the damage shots do is done here, from the shot's side of the collision. Shots of one
// side never touch each other, and no shot hurts its own side.
void TBullet::OnHit(engine::TSprite& other, bool&) {
  TPlayer* player = World().Player;
  if (Kind == kBomb) {
    if (Exploded && !BombHitDone && Visible && &other == player &&
        player->State == TPlayer::kFlying) {
      BombHitDone = true;
      player->Damage(Damage);
    }
  } else if (Exploded) {
    return;
  }
  if (X > kOffPlayfieldX) return;

  if (auto* bonus = dynamic_cast<TBonus*>(&other)) {
    if (Side == kPlayerSide) bonus->Kick();
  } else if (auto* shot = dynamic_cast<TBullet*>(&other)) {
    if (shot->Side != Side && !Exploded && !shot->Exploded) {
      Explode();
      shot->Explode();
      if (Kind == kMegaShot || shot->Kind == kMegaShot) player->MegaBlast();
    }
  } else if (&other == player) {
    if (Side != kEnemySide || player->State != TPlayer::kFlying) return;
    if (Kind == kMegaShot) {
      World().FreeShot(Slot);
    } else {
      Explode();
    }
    player->Damage(Damage);
    CanHit = false;
  } else if (auto* hunter = dynamic_cast<TGroundGun*>(&other)) {
    if (hunter->Dead || Side != kPlayerSide) return;
    if (Kind != kMegaShot) {
      AttachTo(kOnHunter, hunter->Slot);
      Explode();
    }
    hunter->Damage(Damage);
    CanHit = false;
  } else if (auto* monster = dynamic_cast<TMonster*>(&other)) {
    if (monster->Dying || Side != kPlayerSide) return;
    if (Kind != kMegaShot) {
      monster->Damage(Damage);
      Y -= kHitJump;
      World().FreeShot(Slot);
    } else if (!Exploded) {
      monster->Die();
      Explode();
      player->MegaBlast();
    }
    CanHit = false;
  }
}
