#include "app/form_screen.h"

#include "app/form.h"

bool TFormScreen::IsGame() const {
  return type_ == kScreenGame;
}

void TFormScreen::Leave() {
  switch (type_) {
    case kScreenMainMenu:
      form_.Menu.RemoveButtons();
      break;
    default:  // the game is left by its end
      break;
  }
}

void TFormScreen::Step(int lag) {
  switch (type_) {
    case kScreenMainMenu:
      form_.UpdateMainMenu(lag);
      break;
    case kScreenGame:
      form_.Game.GameStep(lag);
      break;
    default:
      break;
  }
}

void TFormScreen::Activate(int) {
  switch (type_) {
    case kScreenMainMenu:
      form_.ActivateMainMenu();
      break;
    default:  // the running game: its buttons are the windows'
      break;
  }
}

// The game takes Space as fire.
bool TFormScreen::Typed(int) {
  return type_ == kScreenGame;
}

TMenuList* TFormScreen::Menu() {
  return &form_.Menu;
}

bool TFormScreen::FadingIn() const {
  return type_ == kScreenMainMenu && form_.IntroStep != 0;
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
