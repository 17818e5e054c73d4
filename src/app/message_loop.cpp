#include "app/form.h"
#include "platform/platform.h"

void TMForm::ProcessEvents() {
  KeepEndedReplay();  // a game ended by the last turn's events, whose frame did not run
  platform::TEvent event;
  inEvents_ = true;
  while (!terminated_ && Platform().PollEvent(event))
    errors_.Event([this, &event] { HandleEvent(event); });
  inEvents_ = false;
  if (terminated_) KeepEndedReplay();
}

void TMForm::HandleEvent(const platform::TEvent& event) {
  using platform::TEventKind;
  switch (event.kind) {
    case TEventKind::KeyDown:
      WakeFromBossHide();
      FormKeyDown(event.key, event.shift);
      break;
    case TEventKind::KeyUp:
      FormKeyUp(event.key, event.shift);
      break;
    case TEventKind::Char:
      FormKeyPress(event.key);
      break;
    case TEventKind::MouseMove:
      MDXDrawMouseMove(event.shift, event.x, event.y);
      break;
    case TEventKind::MouseDown:
      WakeFromBossHide();
      MDXDrawMouseDown();
      break;
    case TEventKind::MouseUp:
      MDXDrawMouseUp();
      break;
    case TEventKind::Click:
      MDXDrawClick();
      break;
    case TEventKind::DblClick:
      MDXDrawDblClick();
      break;
    case TEventKind::Activate:
      BossHidden = false;
      MDXTimer.AppActivated();
      break;
    case TEventKind::Deactivate:
      BossHidden = false;
      MDXTimer.AppDeactivated();
      // A game left for another window waits paused: coming back does not drop the player
      // into the middle of the action.
      screens_.Interrupt();
      break;
    case TEventKind::Expose:
      // The timer stands still while the game is inactive: the last frame is shown again.
      if (!MDXTimer.Started()) MDXDraw.Repaint();
      break;
    case TEventKind::CloseRequest:
      FormCloseQuery();
      break;
    case TEventKind::Quit:
      // The session is ending: save as the confirmed quit does, so no setting is lost, and
      // leave even when the save cannot be made.
      FormClose();
      break;
  }
}

// The idle part of the message loop: one frame when the timer runs, paced to the display.
bool TMForm::RunIdle() {
  if (!MDXTimer.Idle()) return false;
  Platform().PaceFrame(RefreshRate);
  return true;
}

// A close request from outside never closes the window: it asks the player instead. After a
// save that failed it is the second request to leave, and leaves.
bool TMForm::FormCloseQuery() {
  if (saveFailed_) {
    SaveAndExit(true);
    return true;
  }
  OpenWindow(screens_.InGame() ? kWindowQuitToMenu : kWindowQuitGame);
  return false;
}

// The session is ending: the save is tried once and the program leaves either way.
void TMForm::FormClose() {
  SaveAndExit(true);
}
