#pragma once

#include <cstdint>

#include "objects/bonus_kind.h"
#include "objects/my_image_sprite.h"

// A pickup that drifts left with the front hills until the craft touches it; the craft's
// shots push it to the right.
class TBonus : public TMyImageSprite {
 public:
  TBonus(objects::TWorld& world, double x, double y, int32_t z, int slot, objects::TBonusKind kind);

  int Slot = 0;
  bool Taken = false;
  objects::TBonusKind Kind = objects::TBonusKind::BasicGun;
  int KickSpeed = 0;
  int KickTimer = 0;

  void Kick();
  void Step(int32_t lag) override;
};
