#include "objects/monster.h"

#include <cmath>

#include "objects/bullet.h"
#include "objects/world.h"

namespace {

constexpr uint8_t kImageList = 2;
constexpr int kPointsPerHitPoint = 5;
constexpr int kNoFireBeyondX = 815;
constexpr int kFireChance = 100;  // one in this many frames, when it may fire
constexpr int kDeathAnimSpeed = 20;
constexpr int kBirdPathPeriod = 150;
constexpr int kBirdPathHeight = 150;
constexpr int kBirdPathMiddle = 300;
constexpr int kBirdFallDrop = 50;
constexpr int kBirdPhases = 800;
constexpr double kLastPropellerPattern = 3;
constexpr double kLastRotorPattern = 2;
constexpr double kPropellerRate = 16;  // patterns a second
constexpr double kRotorRate = 12;
constexpr int kBombReloadMs = 1500;
constexpr int kRocketReloadMs = 1000;

struct TKindValues {
  const char* image;
  int lowestY;
  int yRange;
  int speedX;
  int hitPoints;
  int animSpeed;  // 0: left as it is
};

constexpr TKindValues kKinds[] = {
    {"MAirplane", 46, 354, -5, 2, 0},
    {"MBird", 150, 300, -2, 4, 3},
    {"MDog", 46, 200, -1, 10, 3},
    {"MHelicopter", 70, 330, -3, 10, 0},
};

const TKindValues& ValuesOf(uint8_t kind) {
  return kKinds[kind < std::size(kKinds) ? kind : 0];
}

}  // namespace

int TMonster::PointsFor(uint8_t kind) {
  return ValuesOf(kind).hitPoints * kPointsPerHitPoint;
}

TMonster::TMonster(objects::TWorld& world, int slot, double x, int32_t z, uint8_t kind)
    : TMyImageSprite(world, kImageList, ValuesOf(kind).image, x,
                     ValuesOf(kind).lowestY + world.RandomBelow(ValuesOf(kind).yRange), z),
      Slot(slot),
      Kind(kind) {
  const TKindValues& values = ValuesOf(kind);
  Visible = true;
  if (values.animSpeed != 0) AnimSpeed = values.animSpeed;
  SpeedX = values.speedX;
  HitPoints = values.hitPoints;
  if (Kind == kDog) ShotsLeft = 5;
  if (Kind == kHelicopter) ShotsLeft = 1 + World().RandomBelow(5);
  if (Kind == kBird) Phase = World().RandomBelow(kBirdPhases);
  PixelHit = false;
  ScoreValue = PointsFor(Kind);
  Serial = ++World().LastSerial;
  if (Kind == kAirplane) moving_ = FindListImage(World(), kImageList, "MAirplaneAnim");
  if (Kind == kHelicopter) moving_ = FindListImage(World(), kImageList, "MHelicopterAnim");
}

void TMonster::Damage(int points) {
  HitPoints -= points;
  if (HitPoints > 0) return;
  if (!Dying) {
    World().Score += ScoreValue;
    World().EnemiesLeft -= 1;
  }
  Die();
}

// No score and no count towards the level by itself.
void TMonster::Die() {
  if (Dying) return;
  switch (Kind) {
    case kBird:
      Y += kBirdFallDrop;
      PlayEffectFromHere("BirdKill");
      SetImageByName("MBirdFall");
      break;
    case kDog:
      PlayEffectFromHere("DogKill");
      SetImageByName("MDogFall");
      AnimSpeed = 0;  // the fall keeps the rate the dog had
      break;
    default:
      PlayEffectFromHere("Explosion2");
      PlayOnce("Explosion", kDeathAnimSpeed);
      break;
  }
  Dying = true;
}

void TMonster::Eat() {
  if (Kind != kBird) return;
  PlayLoop("MBirdEat", 6);
  Eating = true;
}

void TMonster::EndEat() {
  if (Kind != kBird) return;
  PlayLoop("MBird", 3);
  AnimFrame = 0;
  Eating = false;
}

void TMonster::Fire() {
  if (Kind == kDog) {
    World().FireShot(static_cast<int>(X + 7), static_cast<int>(Y + 130), 9, 0, 0, TBullet::kBomb,
                     TBullet::kEnemySide, false);
    ShotTimer = kBombReloadMs;
  } else if (Kind == kHelicopter) {
    World().FireShot(static_cast<int>(X - 24), static_cast<int>(Y + 43), 9, 8, -128,
                     TBullet::kRocket, TBullet::kEnemySide, false);
    ShotTimer = kRocketReloadMs;
  }
}

void TMonster::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  X += SpeedX * World().SpeedFactor;
  Y += SpeedY * World().SpeedFactor;
  StepByKind();
  if (ShotTimer > 0) ShotTimer -= World().FrameMs;
  if (!Dying && X < kNoFireBeyondX && ShotsLeft > 0 && ShotTimer <= 0 &&
      World().RandomBelow(kFireChance) == 1) {
    ShotsLeft -= 1;
    Fire();
  }
}

// A dying enemy keeps its horizontal speed; birds and dogs fall as well.
void TMonster::StepByKind() {
  const double seconds = World().FrameMs / 1000.0;
  switch (Kind) {
    case kAirplane:
      PropFrame += seconds * kPropellerRate;
      if (PropFrame > kLastPropellerPattern) PropFrame = 0;
      break;
    case kBird:
      if (!Dying) {
        Y = std::sin((Phase + X) / kBirdPathPeriod) * kBirdPathHeight + kBirdPathMiddle;
      } else {
        Y += 2 * World().SpeedFactor;
      }
      if (Eating && AnimFrame >= 2) EndEat();
      break;
    case kDog:
      if (Dying) Y += 1 * World().SpeedFactor;
      break;
    case kHelicopter:
      PropFrame += seconds * kRotorRate;
      if (PropFrame > kLastRotorPattern) PropFrame = 0;
      break;
    default:
      break;
  }
}

void TMonster::Render() {
  TMyImageSprite::Render();
  engine::TDirectDrawSurface* surface = World().DrawSurface();
  if (Dying || !moving_ || !surface) return;
  const bool airplane = Kind == kAirplane;
  const double x = airplane ? X - 6 : X - 15;
  const double y = airplane ? Y + 10 : Y - 16;
  moving_->Draw(*surface, static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y)),
                static_cast<int>(PropFrame));
}
