#pragma once

#include <cstdint>

#include "objects/my_image_sprite.h"

// A hunter on the ground: drifts left with the front hills and fires upwards at random.
class TGroundGun : public TMyImageSprite {
 public:
  TGroundGun(objects::TWorld& world, uint8_t kind, int slot, double x, double y, int32_t z);

  // What shooting a hunter down scores, whatever his kind (the help page shows it too).
  static int Points();

  uint8_t Kind = 0;
  bool Dead = false;
  int Slot = 0;
  bool Firing = false;
  int PoseTimer = 0;
  int ReloadTimer = 0;
  int ScoreValue = 0;  // what shooting this one down scores
  int HitPoints = 0;
  uint64_t Serial = 0;

  void Damage(int points);
  void Die();
  void Fire();

  void Step(int32_t lag) override;
};
