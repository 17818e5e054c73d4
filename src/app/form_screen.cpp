#include "app/form_screen.h"

#include "app/form.h"
#include "screens/typing.h"

namespace {

constexpr int kCountryStyle = 4;
constexpr int kWidestCountry = 180;  // pixels in the country's style

}  // namespace

bool TFormScreen::IsGame() const {
  return type_ == kScreenGame;
}

void TFormScreen::Leave() {
  switch (type_) {
    case kScreenMainMenu:
      form_.Menu.RemoveButtons();
      break;
    case kScreenOptions:
      form_.LeaveOptions();
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
    case kScreenOptions:
      form_.UpdateOptions(lag);
      break;
    case kScreenGame:
      form_.Game.GameStep(lag);
      break;
    default:
      break;
  }
}

void TFormScreen::DrawTexts() {
  if (type_ == kScreenOptions) form_.DrawOptions();
}

void TFormScreen::Activate(int) {
  switch (type_) {
    case kScreenMainMenu:
      form_.ActivateMainMenu();
      break;
    case kScreenOptions:
      form_.ActivateOptions();
      break;
    default:  // the running game: its buttons are the windows'
      break;
  }
}

// The country being edited takes what is typed; the game takes Space as fire.
bool TFormScreen::Typed(int key) {
  if (type_ == kScreenGame) return true;
  if (type_ != kScreenOptions || !form_.CountryEdit) return false;
  TypeInto(form_.Text, form_.Options.Country, key, kCountryStyle, kWidestCountry);
  return true;
}

bool TFormScreen::KeyCaught(int key, int shift, bool down) {
  if (!form_.BossCapture) return false;
  form_.FormKeyBoss(key, shift, down);
  return true;
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

// A window over the options takes the selection off their rows.
void TFormScreen::Covered() {
  if (type_ == kScreenOptions) SettleSettings();
}

bool TFormScreen::KeepsTextsUnderWindows() const {
  return type_ == kScreenOptions;
}

void TFormScreen::StepUnderWindow() {
  if (type_ == kScreenGame) form_.Game.DrawHud();
}

const char* TFormScreen::Music() const {
  return type_ == kScreenGame ? kGameMusic : kMenuMusic;
}

bool TFormScreen::ChangingSettings() const {
  return form_.BossCapture || form_.CountryEdit;
}

void TFormScreen::SettleSettings() {
  if (form_.BossCapture) form_.ToggleBossCapture();
  if (form_.CountryEdit) form_.ToggleCountryEdit();
}
