#include "app/form.h"
#include "objects/kill_and_forget.h"
#include "objects/my_image_sprite.h"

// The caption and panel the options, high-score and help screens stand on.
void TMForm::ShowScreenFrame(const std::string& caption, const std::string& panel) {
  ScreenCaption = new TMyImageSprite(Game, 1, caption, 181, 179, 3);
  ScreenPanel = new TMyImageSprite(Game, 1, panel, 181, 241, 3);
}

void TMForm::HideScreenFrame() {
  KillAndForget(ScreenCaption);
  KillAndForget(ScreenPanel);
}
