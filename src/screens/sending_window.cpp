#include "screens/sending_window.h"

#include "objects/window_kinds.h"
#include "screens/game_ending.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"

TSendingWindow::TSendingWindow(TScreenHost& host, int newEntryRow)
    : TWindow(host, kWindowSending, true), newEntryRow_(newEntryRow) {}

void TSendingWindow::Step(int) {
  if (!shown_) {
    shown_ = true;
    return;
  }
  host_.SubmitScore();
  host_.Screens().Pop();
  LeaveGameForHighScores(host_, newEntryRow_);
}

void TSendingWindow::DrawTexts() {
  DrawCentred(11, host_.Text().Cp1251("Отправка результата..."), 296);
}
