#include "screens/banner_window.h"

#include "gameplay/game.h"
#include "objects/value_steps.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"

namespace {

constexpr int kBannerStyle = 5;
constexpr int kBannerY = 286;

}  // namespace

void TBannerWindow::Enter() {
  TWindow::Enter();
  timer_ = ms_;
}

void TBannerWindow::Step(int) {
  if (objects::CountDown(timer_, 0, host_.Game().FrameMs)) return;
  host_.Screens().Pop();
  if (after_) after_();
}

void TBannerWindow::DrawTexts() {
  DrawCentred(kBannerStyle, text_(), kBannerY);
}
