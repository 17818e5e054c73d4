#include "app/form.h"
#include "objects/scroll_background.h"
#include "platform/links.h"

namespace {

constexpr int kYes = 11;
constexpr int kNo = 12;
constexpr int kQuitGame = 1;
constexpr const char* kMoreGamesLink = "moregames.url";

}  // namespace

void TMForm::ActivateItem(int item) {
  MenuItem = item;
  ActivateCurrent();
}

void TMForm::ActivateCurrent() {
  if (ScreenType != kScreenGame || WindowOpen != 0) PlayEffect("Button");
  if (WindowOpen != 0) {
    ActivateWindow();
    return;
  }
  switch (ScreenType) {
    case kScreenMainMenu:
      ActivateMainMenu();
      break;
    case kScreenOptions:
      ActivateOptions();
      break;
    default:
      // The high-score and help screens act here as they land; the running game does not.
      break;
  }
}

void TMForm::ActivateWindow() {
  if (WindowOpen == kQuitGame) {
    if (MenuItem == kYes) {
      CloseWindow();
      Sky->KillOnce();
      Sky = nullptr;
      LeaveMainMenu();
      SaveAndExit();
    } else if (MenuItem == kNo) {
      CloseWindow();
    }
  }
  // The other windows answer with the screens and the game they belong to.
}

void TMForm::ActivateMainMenu() {
  switch (MenuItem) {
    case 2:
      LeaveMainMenu();
      ShowOptions();
      break;
    case 5:
      platform::OpenLink(Platform(), kMoreGamesLink);
      break;
    case 6:
      OpenWindow(kQuitGame);
      break;
    default:
      // The new game, records and help open their screens as those land.
      break;
  }
}
