#include "objects/my_cursor.h"

#include "objects/value_steps.h"
#include "objects/world.h"

TMyCursor::TMyCursor(objects::TWorld& world, uint8_t list, const std::string& name, double x,
                     double y, int32_t z, int blinkPeriod)
    : TMyImageSprite(world, list, name, x, y, z), BlinkPeriod(blinkPeriod) {
  Visible = false;
}

void TMyCursor::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  if (!Blinking) {
    Visible = false;
    return;
  }
  if (!objects::CountDown(BlinkTimer, 0, World().FrameMs)) {
    BlinkTimer = BlinkPeriod;
    Visible = !Visible;
  }
}
