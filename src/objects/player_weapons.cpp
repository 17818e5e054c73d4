#include "objects/bullet.h"
#include "objects/player.h"
#include "objects/value_steps.h"
#include "objects/weapons.h"
#include "objects/world.h"

using objects::BonusSlotOf;
using objects::TBonusKind;
using objects::TWeapon;

// A new weapon replaces the one held (and a mega bomb not yet fired); the wingman joins
// whatever the craft holds. Score, life and the empty bonus are taken where they are picked.
void TPlayer::Give(TBonusKind kind) {
  const int slot = BonusSlotOf(kind);
  if (const TWeapon* weapon = objects::WeaponOf(kind)) {
    ClearWeapons();
    Owned[slot] = true;
    if (weapon->lastsMs > 0 && slot < static_cast<int>(SlotTimer.size()))
      SlotTimer[slot] = weapon->lastsMs;
  } else if (kind == TBonusKind::Hero && !Owns(kind)) {
    StartHero();
  }
}

void TPlayer::Drop(TBonusKind kind) {
  const int slot = BonusSlotOf(kind);
  if (slot != 0) Owned[slot] = false;
}

void TPlayer::ClearWeapons() {
  for (const TWeapon& weapon : objects::kWeapons) Drop(weapon.kind);
}

bool TPlayer::HasWeapon() const {
  for (const TWeapon& weapon : objects::kWeapons) {
    if (Owns(weapon.kind)) return true;
  }
  return false;
}

bool TPlayer::Armed() const {
  for (const TWeapon& weapon : objects::kWeapons) {
    if (weapon.underWings && Owns(weapon.kind)) return true;
  }
  return false;
}

// The basic gun never runs out and comes back the frame after a timed weapon has.
void TPlayer::WeaponTick() {
  if (!HasWeapon()) Give(TBonusKind::BasicGun);
  for (const TWeapon& weapon : objects::kWeapons) {
    if (weapon.lastsMs == 0 || !Owns(weapon.kind)) continue;
    if (!objects::CountDown(SlotTimer[BonusSlotOf(weapon.kind)], 0, World().FrameMs))
      Drop(weapon.kind);
  }
}

// The bomb goes even while a reload runs, and is used up by its shot.
void TPlayer::Fire() {
  for (const TWeapon& weapon : objects::kWeapons) {
    if (!Owns(weapon.kind)) continue;
    if (weapon.usedUp) ReloadTimer = 0;
    FireWeapon(weapon.kind);
    if (weapon.usedUp) Drop(weapon.kind);
  }
}

void TPlayer::FireWeapon(TBonusKind kind) {
  const TWeapon* weapon = objects::WeaponOf(kind);
  if (!weapon || ReloadTimer > 0 || LevelDone) return;
  PlayEffectFromHere(weapon->sound);
  for (const objects::TMuzzle& muzzle : weapon->Muzzles()) {
    World().FireShot(static_cast<int>(X + muzzle.dx), static_cast<int>(Y + muzzle.dy), muzzle.z,
                     weapon->speed, muzzle.angle, weapon->shot, TBullet::kPlayerSide, false);
  }
  ReloadTimer = weapon->reloadMs;
}
