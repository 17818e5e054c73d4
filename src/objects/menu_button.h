#pragma once

#include "objects/my_image_sprite.h"

// A button of the menu screens, with an inactive and an active look.
class TMenuButton : public TMyImageSprite {
 public:
  TMenuButton(objects::TWorld& world, uint8_t list, const std::string& activeImage,
              const std::string& inactiveImage, int activeFrame, int inactiveFrame, double x,
              double y);

  std::string ActiveImage;
  std::string InactiveImage;
  int ActiveFrame = 0;
  int InactiveFrame = 0;
  bool Highlighted = false;

  void ShowActive();
  void ShowInactive();
};
