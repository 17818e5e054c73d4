#include "objects/ground_gun.h"

#include "objects/bullet.h"
#include "objects/player.h"
#include "objects/scroll_background.h"
#include "objects/world.h"

namespace {

constexpr uint8_t kImageList = 2;
constexpr int kHitPoints = 9;
constexpr int kPointsPerHitPoint = 5;
constexpr int kFireChance = 200;  // one in this many frames, when loaded
constexpr int kFiresFromX = 0;    // it fires only while it stands between these
constexpr int kFiresToX = 700;
constexpr int kPoseMs = 700;
constexpr int kFallAnimSpeed = 3;

struct TKindValues {
  const char* image;
  const char* fallImage;
  int fallDx;
  int fallDy;
};

constexpr TKindValues kKinds[] = {
    {"Hunter1", "Hunter1Fall", 97, 57},
    {"Hunter2", "Hunter2Fall", 95, 63},
    {"Hunter3", "Hunter3Fall", 65, 41},
};

const TKindValues& ValuesOf(uint8_t kind) {
  return kKinds[kind < std::size(kKinds) ? kind : 0];
}

}  // namespace

int TGroundGun::Points() {
  return kHitPoints * kPointsPerHitPoint;
}

TGroundGun::TGroundGun(objects::TWorld& world, uint8_t kind, int slot, double x, double y,
                       int32_t z)
    : TMyImageSprite(world, kImageList, ValuesOf(kind).image, x, y, z),
      Kind(kind),
      Slot(slot),
      ScoreValue(Points()),
      HitPoints(kHitPoints) {
  Serial = ++World().LastSerial;
}

// A hunter does not bring the level nearer its end.
void TGroundGun::Damage(int points) {
  HitPoints -= points;
  if (HitPoints > 0) return;
  if (!Dead) World().Score += ScoreValue;
  Die();
}

void TGroundGun::Die() {
  if (Dead) return;
  if (World().Player->State != TPlayer::kDying) PlayEffectFromHere("HunterKill");
  const TKindValues& values = ValuesOf(Kind);
  PlayOnce(values.fallImage, kFallAnimSpeed);
  X += values.fallDx;
  Y += values.fallDy;
  Dead = true;
}

// Every hunter's shot is drawn turned an eighth further round.
void TGroundGun::Fire() {
  const int z = Z();
  switch (Kind) {
    case 0:
      PlayEffectFromHere("Shot3");
      for (int i = 1; i <= 3; ++i) {
        World().FireShot(static_cast<int>(X + 80 - 3 * i), static_cast<int>(Y + 3 - 10 * i), z, 7,
                         -92, TBullet::kGunShot, TBullet::kEnemySide, true);
      }
      ReloadTimer = 400;
      break;
    case 1:
      PlayEffectFromHere("Shot1");
      World().FireShot(static_cast<int>(X + 90), static_cast<int>(Y + 3), z, 10, -90,
                       TBullet::kGunShot, TBullet::kEnemySide, true);
      ReloadTimer = 300;
      break;
    default:
      PlayEffectFromHere("Rocket");
      World().FireShot(static_cast<int>(X + 50), static_cast<int>(Y + 3), z, 8, -102,
                       TBullet::kRocket, TBullet::kEnemySide, true);
      ReloadTimer = 400;
      break;
  }
  Firing = true;
  PoseTimer = kPoseMs;
}

void TGroundGun::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  if (!Dead) {
    if (ReloadTimer > 0) {
      ReloadTimer -= World().FrameMs;
    } else if (World().RandomBelow(kFireChance) == 1 && X > kFiresFromX && X < kFiresToX) {
      Fire();
    }
    AnimFrame = Firing ? 1 : 0;  // pattern 1 is the firing pose
    if (PoseTimer > 0) {
      PoseTimer -= World().FrameMs;
    } else {
      Firing = false;
    }
  }
  X += World().Background->SpeedX * World().SpeedFactor;  // it stands on the front hills
}
