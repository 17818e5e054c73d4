#include "screens/pause_window.h"

#include "objects/window_kinds.h"
#include "screens/controls.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"

namespace {

constexpr int kPauseStyle = 5;
constexpr int kPauseY = 286;

}  // namespace

TPauseWindow::TPauseWindow(TScreenHost& host) : TWindow(host, kWindowPause, false) {}

void TPauseWindow::Step(int) {
  if (host_.Controls().Pause.Pressed || host_.Controls().Back.Pressed) host_.Screens().Pop();
}

void TPauseWindow::DrawTexts() {
  DrawCentred(kPauseStyle, host_.Text().Cp1251("Пауза"), kPauseY);
}
