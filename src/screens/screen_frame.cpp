#include "screens/screen_frame.h"

#include "objects/kill_and_forget.h"
#include "objects/my_image_sprite.h"
#include "screens/screen_layout.h"

namespace {

constexpr uint8_t kMenuList = 1;
using screen_layout::kCaptionY;
using screen_layout::kFrameX;
using screen_layout::kPanelY;
constexpr int kFrameDepth = 3;

}  // namespace

void TScreenFrame::Show(objects::TWorld& world, const std::string& caption,
                        const std::string& panel) {
  Caption = new TMyImageSprite(world, kMenuList, caption, kFrameX, kCaptionY, kFrameDepth);
  Panel = new TMyImageSprite(world, kMenuList, panel, kFrameX, kPanelY, kFrameDepth);
}

void TScreenFrame::Hide() {
  KillAndForget(Caption);
  KillAndForget(Panel);
}
