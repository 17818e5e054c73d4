#include "objects/menu_button.h"

TMenuButton::TMenuButton(objects::TWorld& world, uint8_t list, const std::string& activeImage,
                         const std::string& inactiveImage, int activeFrame, int inactiveFrame,
                         double x, double y)
    : TMyImageSprite(world, list),
      ActiveImage(activeImage),
      InactiveImage(inactiveImage),
      ActiveFrame(activeFrame),
      InactiveFrame(inactiveFrame) {
  SetImageByName(inactiveImage);
  AnimFrame = inactiveFrame;
  X = x;
  Y = y;
  SetZ(4);
}

void TMenuButton::ShowActive() {
  SetImageByName(ActiveImage);
  AnimFrame = ActiveFrame;
}

void TMenuButton::ShowInactive() {
  SetImageByName(InactiveImage);
  AnimFrame = InactiveFrame;
}
