#include <cmath>
#include <numbers>

#include "objects/bullet.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "objects/quads.h"
#include "objects/weapons.h"
#include "objects/world.h"

namespace {

constexpr double kStationAngle = 3.6;  // radians: behind and below the craft
constexpr double kStationRadius = 100;
constexpr double kEntryX = -70;
constexpr double kEntryY = 450;
constexpr int kFireChance = 24;  // one frame in this many, once loaded
constexpr double kHalfWidth = 27.5;
constexpr double kHalfHeight = 24;
constexpr double kWidth = 55;
constexpr double kHeight = 48;
constexpr double kInset = 5;  // the part of the hero an enemy must touch
constexpr double kArrived = 10;
constexpr double kWreckAheadX = 40;
constexpr double kWreckAheadY = 2;
constexpr double kWreckDrift = 8;
constexpr double kClosing = 10;  // closes a tenth of the distance a frame
constexpr double kEngineRate = 6;
constexpr double kBlastRate = 4;
constexpr double kLastPattern = 3;

objects::TQuad BoxOf(const engine::TSprite& sprite) {
  return objects::BoxQuad(sprite.X, sprite.Y, sprite.X + sprite.Width, sprite.Y + sprite.Height);
}

}  // namespace

void TPlayer::StartHero() {
  Owned[objects::BonusSlotOf(objects::TBonusKind::Hero)] = true;
  HeroAngle = kStationAngle;
  HeroRadius = kStationRadius;
  HeroX = kEntryX;
  HeroY = kEntryY;
  HeroDriftX = 0;
  HeroDriftY = 0;
  HeroDown = false;
  HeroFireTimer = objects::kWingmanGun.reloadMs;
  HeroLost = false;
}

void TPlayer::HeroShotDown() {
  World().PlayEffect("HeroKill", HeroX + kHalfWidth);
  HeroBlast = 0;
  HeroDown = true;
  HeroLost = true;
}

void TPlayer::HeroFire() {
  const objects::TWeapon& gun = objects::kWingmanGun;
  World().PlayEffect(gun.sound, HeroX + kHalfWidth);
  for (const objects::TMuzzle& muzzle : gun.Muzzles()) {
    World().FireShot(static_cast<int>(HeroX + muzzle.dx), static_cast<int>(HeroY + muzzle.dy),
                     muzzle.z, gun.speed, muzzle.angle, gun.shot, TBullet::kPlayerSide, false);
  }
  HeroFireTimer = gun.reloadMs;
}

void TPlayer::StepHero() {
  HeroCollisions();
  SteerHero();
  const double seconds = World().FrameMs / 1000.0;
  HeroAnim += seconds * kEngineRate;
  if (HeroAnim > kLastPattern) HeroAnim = 0;
  if (HeroDown) {
    HeroBlast += seconds * kBlastRate;
    if (HeroBlast > kLastPattern) {
      HeroBlast = 0;
      Drop(objects::TBonusKind::Hero);  // the wreck is gone
    }
  }
  if (State != kFlying || LevelDone || HeroDown) return;
  if (HeroFireTimer > 0) {
    HeroFireTimer -= World().FrameMs;
  } else if (World().RandomBelow(kFireChance) == 1) {
    HeroFire();
  }
}

// Once at his station the hero can be hit: an enemy that rams him goes down with him, and an
// enemy shot that reaches him is spent on him.
void TPlayer::HeroCollisions() {
  if (State != kFlying || HeroTargetX - HeroX >= kArrived) return;
  const objects::TQuad inner = objects::BoxQuad(HeroX + kInset, HeroY + kInset,
                                                HeroX + kWidth - kInset, HeroY + kHeight - kInset);
  for (int i = 1; i <= decltype(World().Monsters)::kSlots; ++i) {
    TMonster* monster = World().Monsters[i];
    if (!monster || monster->Dying) continue;
    if (objects::QuadsOverlap(inner, BoxOf(*monster))) {
      HeroShotDown();
      monster->Die();
    }
  }
  const objects::TQuad whole = objects::BoxQuad(HeroX, HeroY, HeroX + kWidth, HeroY + kHeight);
  for (int i = 1; i <= decltype(World().Bullets)::kSlots; ++i) {
    TBullet* shot = World().Bullets[i];
    if (!shot || shot->Side != TBullet::kEnemySide || shot->Exploded) continue;
    if (objects::QuadsOverlap(whole, BoxOf(*shot))) {
      HeroShotDown();
      World().FreeShot(i);
    }
  }
}

// The hero keeps station at a fixed bearing and distance from the craft's centre; his wreck
// falls away to the lower right.
void TPlayer::SteerHero() {
  CentreX = X + Width / 2.0;
  CentreY = Y + Height / 2.0;
  constexpr double kFullTurn = 2 * std::numbers::pi;
  if (HeroAngle > kFullTurn) HeroAngle -= kFullTurn;
  if (HeroAngle < 0) HeroAngle += kFullTurn;
  HeroTargetX = std::cos(HeroAngle) * HeroRadius + CentreX - kHalfWidth + HeroDriftX;
  HeroTargetY = CentreY - std::sin(HeroAngle) * HeroRadius - kHalfHeight + HeroDriftY;
  if (HeroTargetX < 0) HeroTargetX = 0;
  const double speed = World().SpeedFactor;
  if (HeroDown) {
    HeroTargetX += kWreckAheadX;
    HeroTargetY += kWreckAheadY;
    HeroDriftX += kWreckDrift * speed;
    HeroDriftY += kWreckDrift * speed;
  } else {
    HeroDriftX = 0;
    HeroDriftY = 0;
  }
  HeroX += (HeroTargetX - HeroX) / kClosing * speed;
  HeroY += (HeroTargetY - HeroY) / kClosing * speed;
}

void TPlayer::Render() {
  TMyImageSprite::Render();
  if (Owns(objects::TBonusKind::Hero) && (State == kReborn || State == kFlying)) RenderHero();
}

// The hero is drawn straight onto the back surface right after the craft, at its depth.
void TPlayer::RenderHero() {
  engine::TDirectDrawSurface* target = World().DrawSurface();
  if (!target) return;
  engine::TDirectDrawSurface& surface = *target;
  const auto at = [](double v) { return static_cast<int>(std::nearbyint(v)); };
  if (HeroDown) {
    heroBlast_->Draw(surface, at(HeroX), at(HeroY), static_cast<int>(HeroBlast));
    return;
  }
  heroImage_->Draw(surface, at(HeroX), at(HeroY), 0);
  heroEngine_->Draw(surface, at(HeroX - 48), at(HeroY - 8), static_cast<int>(HeroAnim));
}
