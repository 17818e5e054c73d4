#include "screens/window.h"

#include "gameplay/game.h"
#include "objects/kill_and_forget.h"
#include "objects/my_image_sprite.h"
#include "screens/screen_host.h"
#include "screens/screen_layout.h"
#include "screens/screen_text.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kTextCentreX = 400;

}  // namespace

void TWindow::Enter() {
  if (backdrop_)
    backdropSprite_ = new TMyImageSprite(host_.Game(), kMenuList, "Window", screen_layout::kWindowX,
                                         screen_layout::kWindowY, kDepth);
}

void TWindow::Leave() {
  KillAndForget(backdropSprite_);
}

void TWindow::DrawCentred(int style, const std::string& text, int y) {
  host_.Text().SetTextStyle(style);
  host_.Text().DrawText(text, kTextCentreX, true, true, y);
}
