#include "screens/pause_window.h"

#include "objects/window_kinds.h"
#include "screens/key_flags.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"

namespace {

constexpr int kPauseStyle = 5;
constexpr int kPauseY = 286;

}  // namespace

TPauseWindow::TPauseWindow(TScreenHost& host) : TWindow(host, kWindowPause, false) {}

void TPauseWindow::Step(int) {
  if (host_.Keys().PausePressed || host_.Keys().EscPressed) host_.Screens().Pop();
}

void TPauseWindow::DrawTexts() {
  DrawCentred(kPauseStyle, Cp1251Text("Пауза"), kPauseY);
}
