#pragma once

#include <cstdint>

#include "objects/my_image_sprite.h"

// A flying enemy: airplane, bird, dog or helicopter. It crosses from the right; the craft and
// the shots test their collisions against it.
class TMonster : public TMyImageSprite {
 public:
  enum : uint8_t { kAirplane = 0, kBird = 1, kDog = 2, kHelicopter = 3 };

  TMonster(objects::TWorld& world, int slot, double x, int32_t z, uint8_t kind);

  // What shooting one of a kind down scores (the help page shows it too).
  static int PointsFor(uint8_t kind);

  int Slot = 0;
  int ScoreValue = 0;  // what shooting this one down scores
  int HitPoints = 0;
  uint8_t Kind = kAirplane;
  double PropFrame = 0;
  int SpeedX = 0;
  int SpeedY = 0;
  int Phase = 0;
  int ShotTimer = 0;
  int ShotsLeft = 0;
  bool Dying = false;
  bool Eating = false;
  uint64_t Serial = 0;

  void Damage(int points);
  void Die();
  void Eat();
  void EndEat();
  void Fire();

  void Step(int32_t lag) override;
  void Render() override;

 private:
  void StepByKind();
  engine::TPictureCollectionItem* moving_ = nullptr;  // propeller or rotor, drawn on top
};
