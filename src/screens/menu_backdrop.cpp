#include "screens/menu_backdrop.h"

#include "objects/scroll_background.h"
#include "screens/screen_host.h"

namespace {

constexpr uint8_t kMenuList = 1;

}  // namespace

void ShowMenuBackdrop(TScreenHost& host, bool startMusic) {
  if (startMusic) host.StartScreenMusic();
  host.ShowMouseCursor();
  TScrollBackground* sky = host.Sky();
  sky->SetImageFrom("MMB", kMenuList);
  sky->SpeedX = 0;
  sky->X = 0;
  sky->Y = 0;
}
