#include "objects/bullet.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/dx_image_list.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "objects/scroll_background.h"
#include "objects/value_steps.h"
#include "objects/world.h"

namespace {

constexpr uint8_t kImageList = 2;
constexpr int kAnglesPerTurn = 256;
constexpr int kGunDamage = 1;
constexpr int kBombDamage = 1;
constexpr int kMegaDamage = 10;
constexpr int kRocketDamage = 3;
constexpr int kBombAnimSpeed = 10;
constexpr int kRocketAnimSpeed = 5;
constexpr int kMegaFlameSpeed = 10;
constexpr int kFirstAccelMs = 100;
constexpr int kAccelMs = 50;
constexpr int kTopRocketSpeed = 7;
constexpr int kSmokeMs = 700;
constexpr int kSwayMs = 300;
constexpr double kSmokeDrift = 0.5;
constexpr int kSmokePattern = 3;
constexpr double kLastFlamePattern = 3;
constexpr int kMegaReach = 300;  // pixels ahead of the craft's nose where the bomb goes off
constexpr int kCraftNose = 43;
constexpr int kGroundY = 580;
constexpr int kSurfaceHeight = 600;
constexpr int kBlastDepth = 12;
constexpr int kBlastAnimSpeed = 10;
constexpr int kTiltAngle = 32;  // an eighth of a turn

const char* ImageOfKind(uint8_t kind, uint8_t side) {
  switch (kind) {
    case TBullet::kBomb:
      return "BombBullet";
    case TBullet::kMegaShot:
      return side == TBullet::kPlayerSide ? "MegaBullet" : "MegaBulletR";
    case TBullet::kRocket:
      return "RocketBulletRed";
    default:
      return "GunBulletRed";
  }
}

// A tilted shot is drawn an eighth of a turn further clockwise than it flies, so the data has
// its picture turned that much the other way, to be seen along its flight. That picture is
// only drawn: the shot keeps the plain picture's size, which is its box in flight and where
// its middle is. None when the data has no turned picture (the plain one is drawn then).
const engine::TPictureCollectionItem* TurnedPicture(objects::TWorld& world, uint8_t kind,
                                                    uint8_t side, bool tilt) {
  if (!tilt) return nullptr;
  const engine::TDXImageList* images = world.ImageList(kImageList);
  return images ? images->Items.Find(std::string(ImageOfKind(kind, side)) + "Tilted") : nullptr;
}

}  // namespace

TVelocity VelocityOf(int angle, int speed) {
  const double radians = angle * 2 * std::numbers::pi / kAnglesPerTurn;
  return {static_cast<int>(std::cos(radians) * speed), static_cast<int>(std::sin(radians) * speed)};
}

TBullet::TBullet(objects::TWorld& world, int slot, int x, int y, int z, int speed, int angle,
                 uint8_t kind, uint8_t side, bool tilt)
    : TMyImageSprite(world, kImageList, ImageOfKind(kind, side), x, y, z),
      turned_(TurnedPicture(world, kind, side, tilt)) {
  switch (kind) {
    case kBomb:
      VelY = 1;
      AnimSpeed = kBombAnimSpeed;
      Damage = kBombDamage;
      break;
    case kMegaShot:
      FlameSpeed = kMegaFlameSpeed;
      Flame = 0;
      flame_ = FindListImage(world, kImageList, "EngineFire");
      Damage = kMegaDamage;
      break;
    case kRocket:
      AccelTimer = kFirstAccelMs;
      AnimSpeed = kRocketAnimSpeed;
      Damage = kRocketDamage;
      break;
    default:
      Damage = kGunDamage;
      break;
  }
  TargetKind = kFree;
  PixelHit = false;
  Slot = slot;
  Side = side;
  Kind = kind;
  Speed = speed;
  Angle = angle;
  // A bomb falls straight down whatever it was given.
  if (Kind != kBomb) ComputeVelocity();
  Exploded = false;
  BombHitDone = false;
  Tilted = tilt;
}

void TBullet::ComputeVelocity() {
  const TVelocity velocity = VelocityOf(Angle, Speed);
  VelX = velocity.x;
  VelY = velocity.y;
}

void TBullet::Explode() {
  ExplodeTimer = kSmokeMs;
  SwayTimer = kSwayMs;
  SwayLeft = true;
  switch (Kind) {
    case kMegaShot:
      PlayEffectFromHere("Explosion2");
      PlayOnce("Explosion", kBlastAnimSpeed);
      Y -= 56;
      X -= 8;
      SetZ(kBlastDepth);
      ExplodeTimer = 0;
      break;
    case kRocket:
    case kBomb:
      PlayEffectFromHere("Explosion2");
      PlayOnce("Explosion", kBlastAnimSpeed);
      break;
    default:
      Visible = false;  // no blast: the sweep frees it
      break;
  }
  Exploded = true;
}

// The shot's centre goes halfway between its own and the target's, and rides there.
void TBullet::AttachTo(uint8_t targetKind, int index) {
  const TMyImageSprite* target = World().Player;
  TargetKind = targetKind;
  if (targetKind == kOnMonster || targetKind == kOnHunter) TargetIndex = index;
  if (targetKind == kOnMonster) {
    const TMonster* monster = World().Monsters[index];
    target = monster;
    TargetSerial = monster ? monster->Serial : 0;
  } else if (targetKind == kOnHunter) {
    const TGroundGun* hunter = World().GroundGuns[index];
    target = hunter;
    TargetSerial = hunter ? hunter->Serial : 0;
  }
  if (!target) {
    TargetKind = kFree;
    return;
  }
  const double midX = (X + Width / 2.0 + target->X + target->Width / 2.0) / 2;
  const double midY = (Y + Height / 2.0 + target->Y + target->Height / 2.0) / 2;
  OffsetX = static_cast<int>(midX - target->X - Width / 2.0);
  OffsetY = static_cast<int>(midY - target->Y - Height / 2.0);
}

void TBullet::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  if (Exploded) StepSmoke();
  if (Kind == kMegaShot && !Exploded) {
    Flame += World().FrameMs / 1000.0 * FlameSpeed;
    if (Flame > kLastFlamePattern) Flame = 0;
    if (Side == kPlayerSide && X - (World().Player->X + kCraftNose) > kMegaReach) {
      Explode();
      World().Player->MegaBlast();
    }
  }
  if (TargetKind == kFree) {
    StepFlying();
  } else {
    RideOnTarget();
  }
}

// After the blast: a rocket's smoke puff rises and sways for a while before the rest of the
// explosion plays; a mega blast plays once.
void TBullet::StepSmoke() {
  const double speed = World().SpeedFactor;
  if (Kind == kRocket && AnimFrame >= kSmokePattern && TargetKind == kFree) {
    if (ExplodeTimer <= 0) {
      HideAtEnd = true;
      return;
    }
    HideAtEnd = false;
    ExplodeTimer -= World().FrameMs;
    AnimFrame = kSmokePattern;
    Y -= kSmokeDrift * speed;
    X += (SwayLeft ? -kSmokeDrift : kSmokeDrift) * speed;
    SwayTimer -= World().FrameMs;
    if (SwayTimer <= 0) {
      SwayTimer = kSwayMs;
      SwayLeft = !SwayLeft;
    }
  } else if (Kind == kMegaShot) {
    if (ExplodeTimer > 0) {
      HideAtEnd = false;
      ExplodeTimer -= World().FrameMs;
      AnimFrame = 0;
    } else {
      HideAtEnd = true;
    }
  }
}

void TBullet::StepFlying() {
  const double speed = World().SpeedFactor;
  if (Exploded) {
    // A spent rocket lies on the ground; a bomb's blast still hurts a craft flying into it.
    if (Kind == kRocket) X += World().Background->SpeedX * speed;
    if (Kind == kBomb) CheckHits();
    return;
  }
  CheckHits();
  X += VelX * speed;
  Y += VelY * speed;
  if (Kind == kRocket) Accelerate();
  if (Y >= kGroundY) {
    Explode();
    Y = kSurfaceHeight - Height;  // the blast sits on the bottom edge
  }
}

void TBullet::Accelerate() {
  if (!objects::CountDown(AccelTimer, 0, World().FrameMs)) {
    AccelTimer = kAccelMs;
    Speed = std::min(Speed + 1, kTopRocketSpeed);
  }
  ComputeVelocity();
}

// A shot rides on its target only while the target's slot still holds that very sprite;
// once the target is gone it lets go and finishes its explosion where it is.
void TBullet::RideOnTarget() {
  const TMyImageSprite* target = nullptr;
  if (TargetKind == kOnPlayer) {
    target = World().Player;
  } else if (TargetKind == kOnMonster) {
    const TMonster* monster = World().Monsters[TargetIndex];
    if (monster && monster->Serial == TargetSerial) target = monster;
  } else if (TargetKind == kOnHunter) {
    const TGroundGun* hunter = World().GroundGuns[TargetIndex];
    if (hunter && hunter->Serial == TargetSerial) target = hunter;
  }
  if (!target) {
    TargetKind = kFree;
    return;
  }
  X = target->X + OffsetX;
  Y = target->Y + OffsetY;
}

void TBullet::Render() {
  engine::TDirectDrawSurface* surface = World().DrawSurface();
  if (!surface) return;
  if (flame_ && !Exploded) {
    flame_->Draw(*surface, static_cast<int>(X - 45), static_cast<int>(Y + 3),
                 static_cast<int>(Flame));
  }
  if (Angle == 0) {
    TMyImageSprite::Render();
    return;
  }
  // In flight a tilted shot shows its turned picture at that picture's own size; its blast is
  // the plain explosion.
  const bool turned = turned_ && !Exploded;
  const engine::TPictureCollectionItem* picture = turned ? turned_ : Image();
  if (!picture) return;
  picture->DrawRotate(*surface, static_cast<int>(X + Width / 2.0),
                      static_cast<int>(Y + Height / 2.0), turned ? picture->Width() : Width,
                      turned ? picture->Height() : Height, static_cast<int>(AnimFrame), 0.5, 0.5,
                      Tilted ? Angle + kTiltAngle : Angle);
}
