#pragma once

#include "objects/my_image_sprite.h"

// The text cursor of the typing fields: blinks while Blinking, hidden otherwise.
class TMyCursor : public TMyImageSprite {
 public:
  TMyCursor(objects::TWorld& world, uint8_t list, const std::string& name, double x, double y,
            int32_t z, int blinkPeriod);

  int BlinkPeriod = 0;  // ms
  int BlinkTimer = 0;   // ms
  bool Blinking = false;

  void Step(int32_t lag) override;
};
