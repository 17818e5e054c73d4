#pragma once

#include <cstdint>

#include "objects/my_image_sprite.h"

// Every projectile: the craft's and the wingman's gun shots, rockets and mega bomb, and the
// enemies' shots, bombs and rockets. A shot applies the damage it does itself.
class TBullet : public TMyImageSprite {
 public:
  enum : uint8_t { kGunShot = 0, kBomb = 1, kMegaShot = 2, kRocket = 3 };
  enum : uint8_t { kPlayerSide = 0, kEnemySide = 1 };
  enum : uint8_t { kFree = 0, kOnPlayer = 1, kOnMonster = 2, kOnHunter = 3 };

  TBullet(objects::TWorld& world, int slot, int x, int y, int z, int speed, int angle, uint8_t kind,
          uint8_t side, bool tilt);

  uint8_t Side = kPlayerSide;
  int Slot = 0;
  int Speed = 0;
  int VelX = 0;
  int VelY = 0;
  int Angle = 0;  // 256ths of a turn; 0 points right, positive turns downwards
  int AccelTimer = 0;
  uint8_t Kind = kGunShot;
  int FlameSpeed = 0;
  double Flame = 0;
  int ExplodeTimer = 0;
  bool SwayLeft = false;
  int SwayTimer = 0;
  bool Exploded = false;
  bool BombHitDone = false;
  bool Tilted = false;
  int Damage = 0;
  uint8_t TargetKind = kFree;
  int TargetIndex = 0;
  // Which hunter or enemy the shot rides on, so it can tell when that one has gone.
  uint64_t TargetSerial = 0;
  int OffsetX = 0;
  int OffsetY = 0;

  void ComputeVelocity();
  void Explode();
  void AttachTo(uint8_t targetKind, int index);

  void Step(int32_t lag) override;
  void OnHit(engine::TSprite& other, bool& done) override;
  void Render() override;

 private:
  const engine::TPictureCollectionItem* flame_ = nullptr;   // a mega shot's engine, drawn behind it
  const engine::TPictureCollectionItem* turned_ = nullptr;  // a tilted shot's picture in flight
  void StepSmoke();
  void StepFlying();
  void RideOnTarget();
  void Accelerate();
};

// The velocity of a shot along its angle, each component truncated.
struct TVelocity {
  int x = 0;
  int y = 0;
};
TVelocity VelocityOf(int angle, int speed);
