#include "objects/bullet.h"
#include "objects/player.h"
#include "objects/value_steps.h"
#include "objects/world.h"

namespace {

using objects::BonusKindOf;
using objects::BonusSlotOf;

// Bonus kinds.
constexpr int kBasicGun = 0;
constexpr int kScore = 1;
constexpr int kRocketLauncher = 2;
constexpr int kHero = 3;
constexpr int kNothing = 4;
constexpr int kMegaBomb = 5;
constexpr int kRapidGun = 7;
constexpr int kDoubleGun = 8;
constexpr int kTripleRocket = 9;

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
constexpr int kWeaponSlots[] = {1, 3, 6, 7, 8, 9};
constexpr int kTimedSlots[] = {3, 6, 7, 8};
constexpr int kMegaBombSlot = 9;

bool KeepsTheWeapon(int kind) {
  return kind == kScore || kind == kHero || kind == kNothing;
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
void TPlayer::Give(int kind) {
  if (!KeepsTheWeapon(kind)) ClearWeapons();
  if (kind == kHero && !Owned[objects::kHeroBonusEntry]) StartHero();
  const int slot = BonusSlotOf(kind);
  if (slot == 0) return;
  Owned[slot] = true;
  if (!KeepsTheWeapon(kind) && slot < static_cast<int>(SlotTimer.size()))
    SlotTimer[slot] = kTimedWeaponMs;
}

void TPlayer::Drop(int kind) {
  const int slot = BonusSlotOf(kind);
  if (slot != 0) Owned[slot] = false;
}

void TPlayer::ClearWeapons() {
  for (int kind : {kBasicGun, kRocketLauncher, kRapidGun, kDoubleGun, kTripleRocket, kMegaBomb})
    Drop(kind);
}

bool TPlayer::HasWeapon() const {
  for (int slot : kWeaponSlots) {
    if (Owned[slot]) return true;
  }
  return false;
}

// A rocket weapon or the bomb: the craft flies with it under its wings.
bool TPlayer::Armed() const {
  return Owned[BonusSlotOf(kRocketLauncher)] || Owned[BonusSlotOf(kTripleRocket)] ||
         Owned[kMegaBombSlot];
}

// The basic gun never runs out and comes back the frame after a timed weapon has.
void TPlayer::WeaponTick() {
  if (!HasWeapon()) Give(kBasicGun);
  for (int slot : kTimedSlots) {
    if (Owned[slot] && !objects::CountDown(SlotTimer[slot], 0, World().FrameMs))
      Drop(BonusKindOf(slot));
  }
}

// The bomb goes even while a reload runs, and is used up by its shot.
void TPlayer::Fire() {
  for (int slot = 1; slot <= kMegaBombSlot; ++slot) {
    if (!Owned[slot]) continue;
    switch (slot) {
      case 1:
        FireWeapon(kBasicGunShots);
        break;
      case 3:
        FireWeapon(kRocketShots);
        break;
      case 6:
        FireWeapon(kRapidGunShots);
        break;
      case 7:
        FireWeapon(kDoubleGunShots);
        break;
      case 8:
        FireWeapon(kTripleRocketShots);
        break;
      case kMegaBombSlot:
        ReloadTimer = 0;
        FireWeapon(kMegaBombShot);
        Drop(kMegaBomb);
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
