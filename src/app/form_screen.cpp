#include "app/form_screen.h"

#include "app/form.h"

bool TFormScreen::IsGame() const {
  return type_ == kScreenGame;
}

void TFormScreen::Step(int lag) {
  if (type_ == kScreenGame) form_.Game.GameStep(lag);
}

// The game takes Space as fire.
bool TFormScreen::Typed(int) {
  return type_ == kScreenGame;
}

void TFormScreen::Interrupted() {
  if (type_ == kScreenGame) form_.OpenWindow(kWindowPause);
}

void TFormScreen::StepUnderWindow() {
  if (type_ == kScreenGame) form_.Game.DrawHud();
}

const char* TFormScreen::Music() const {
  return type_ == kScreenGame ? kGameMusic : kMenuMusic;
}
