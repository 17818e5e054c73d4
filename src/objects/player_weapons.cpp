#include "objects/bullet.h"
#include "objects/player.h"
#include "objects/value_steps.h"
#include "objects/world.h"

namespace {

using objects::BonusKindOf;
using objects::BonusSlotOf;
using objects::TBonusKind;
using enum objects::TBonusKind;

// Weapon types the craft fires.
enum TWeaponType : int {
  kBasicGunShots = 0,
  kRocketShots = 2,
  kMegaBombShot = 3,
  kRapidGunShots = 4,
  kDoubleGunShots = 5,
  kTripleRocketShots = 6,
};

constexpr int kTimedWeaponMs = 5000;
constexpr TBonusKind kWeapons[] = {BasicGun,  RocketLauncher, RapidGun,
                                   DoubleGun, TripleRocket,   MegaBomb};
constexpr TBonusKind kTimedWeapons[] = {RocketLauncher, RapidGun, DoubleGun, TripleRocket};

bool KeepsTheWeapon(TBonusKind kind) {
  return kind == Score || kind == Hero || kind == Nothing;
}

struct TShot {
  int dx;
  int dy;
  int z;
  int angle;
};

}  // namespace

// A new weapon replaces the one held (and a mega bomb not yet fired); the hero, score and
// nothing leave it.
void TPlayer::Give(TBonusKind kind) {
  if (!KeepsTheWeapon(kind)) ClearWeapons();
  if (kind == Hero && !Owns(Hero)) StartHero();
  const int slot = BonusSlotOf(kind);
  if (slot == 0) return;
  Owned[slot] = true;
  if (!KeepsTheWeapon(kind) && slot < static_cast<int>(SlotTimer.size()))
    SlotTimer[slot] = kTimedWeaponMs;
}

void TPlayer::Drop(TBonusKind kind) {
  const int slot = BonusSlotOf(kind);
  if (slot != 0) Owned[slot] = false;
}

void TPlayer::ClearWeapons() {
  for (TBonusKind kind : kWeapons) Drop(kind);
}

bool TPlayer::HasWeapon() const {
  for (TBonusKind kind : kWeapons) {
    if (Owns(kind)) return true;
  }
  return false;
}

// A rocket weapon or the bomb: the craft flies with it under its wings.
bool TPlayer::Armed() const {
  return Owns(RocketLauncher) || Owns(TripleRocket) || Owns(MegaBomb);
}

// The basic gun never runs out and comes back the frame after a timed weapon has.
void TPlayer::WeaponTick() {
  if (!HasWeapon()) Give(BasicGun);
  for (TBonusKind kind : kTimedWeapons) {
    if (Owns(kind) && !objects::CountDown(SlotTimer[BonusSlotOf(kind)], 0, World().FrameMs))
      Drop(kind);
  }
}

// The bomb goes even while a reload runs, and is used up by its shot.
void TPlayer::Fire() {
  for (int slot = 1; slot <= objects::kBonusEntries; ++slot) {
    if (!Owned[slot]) continue;
    switch (BonusKindOf(slot)) {
      case BasicGun:
        FireWeapon(kBasicGunShots);
        break;
      case RocketLauncher:
        FireWeapon(kRocketShots);
        break;
      case RapidGun:
        FireWeapon(kRapidGunShots);
        break;
      case DoubleGun:
        FireWeapon(kDoubleGunShots);
        break;
      case TripleRocket:
        FireWeapon(kTripleRocketShots);
        break;
      case MegaBomb:
        ReloadTimer = 0;
        FireWeapon(kMegaBombShot);
        Drop(MegaBomb);
        break;
      default:
        break;
    }
  }
}

void TPlayer::FireWeapon(int type) {
  if (ReloadTimer > 0 || LevelDone) return;
  const auto shoot = [this](std::initializer_list<TShot> shots, uint8_t kind, int speed) {
    for (const TShot& s : shots) {
      World().FireShot(static_cast<int>(X + s.dx), static_cast<int>(Y + s.dy), s.z, speed, s.angle,
                       kind, TBullet::kPlayerSide, false);
    }
  };
  switch (type) {
    case kBasicGunShots:
    case kRapidGunShots:
      PlayEffectFromHere("Laser");
      shoot({{85, 47, 11, 0}}, TBullet::kGunShot, 10);
      ReloadTimer = type == kRapidGunShots ? 150 : 300;
      break;
    case kDoubleGunShots:
      PlayEffectFromHere("Laser2");
      shoot({{85, 43, 11, 0}, {85, 59, 11, 0}}, TBullet::kGunShot, 10);
      ReloadTimer = 300;
      break;
    case kRocketShots:
      PlayEffectFromHere("Rocket");
      shoot({{110, 59, 11, 0}}, TBullet::kRocket, 2);
      ReloadTimer = 300;
      break;
    case kTripleRocketShots:
      PlayEffectFromHere("Rocket");
      shoot({{110, 55, 9, -10}, {110, 59, 11, 0}, {110, 63, 9, 10}}, TBullet::kRocket, 2);
      ReloadTimer = 300;
      break;
    case kMegaBombShot:
      PlayEffectFromHere("Rail");
      shoot({{43, 52, 11, 0}}, TBullet::kMegaShot, 6);
      ReloadTimer = 500;
      break;
    default:
      break;
  }
}
