#include "objects/my_cursor.h"

#include "app/form.h"
#include "objects/value_steps.h"

TMyCursor::TMyCursor(uint8_t list, const std::string& name, double x, double y, int32_t z,
                     int blinkPeriod)
    : TMyImageSprite(list, name, x, y, z), BlinkPeriod(blinkPeriod) {
  Visible = false;
}

void TMyCursor::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  if (!Blinking) {
    Visible = false;
    return;
  }
  if (!objects::CountDown(BlinkTimer, 0, MForm->FrameMs)) {
    BlinkTimer = BlinkPeriod;
    Visible = !Visible;
  }
}
