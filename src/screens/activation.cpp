#include "app/form.h"
#include "objects/kill_and_forget.h"
#include "objects/scroll_background.h"
#include "platform/links.h"

namespace {

constexpr int kYes = 11;
constexpr int kNo = 12;
constexpr const char* kMoreGamesLink = "moregames.url";

}  // namespace

void TMForm::ActivateItem(int item) {
  Menu.Item = item;
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
    case kScreenHighScores:
      ActivateHighScores();
      break;
    case kScreenHelp:
      ActivateHelp();
      break;
    default:  // the running game: its buttons are the windows'
      break;
  }
}

// Each kind answers for itself; the pause, level, game-over and sending windows take no
// answer.
void TMForm::ActivateWindow() {
  switch (WindowOpen) {
    case kWindowQuitGame:
      if (Menu.Item == kYes) {
        CloseWindow();
        // Saved first: a save that fails leaves the screen as it was, to be left again.
        SaveAndExit();
        KillAndForget(Sky);
        LeaveMainMenu();
      } else if (Menu.Item == kNo) {
        CloseWindow();
      }
      break;
    case kWindowQuitToMenu:
      if (Menu.Item == kYes) {
        CloseWindow();
        LeaveGameByScore();
      } else if (Menu.Item == kNo) {
        CloseWindow();
      }
      break;
    case kWindowClearRecords:
      if (Menu.Item == kYes) {
        CloseWindow();
        persist::DefaultHighScores(HighScores);  // the file is written only at the exit
        NewEntryRow = 0;
      } else if (Menu.Item == kNo) {
        CloseWindow();
      }
      break;
    case kWindowNameEntry:
      NameEntered();
      HighScores[persist::kInsertSlot] = {PlayerName, Game.Score};
      persist::InsertHighScore(HighScores);
      NewEntryRow = persist::RowOfNewEntry(HighScores, Game.Score);
      CloseWindow();
      // Without a records server there is nothing to ask: on as after "Нет".
      if (HasScoreServer()) {
        OpenWindow(kWindowSendScore);
      } else {
        LeaveGameForHighScores();
      }
      break;
    case kWindowSendScore:
      if (Menu.Item == kYes) {
        CloseWindow();
        MDXSpriteEngine.PurgeDead();
        OpenWindow(kWindowSending);
      } else if (Menu.Item == kNo) {
        CloseWindow();
        LeaveGameForHighScores();
      }
      break;
    default:
      break;
  }
}

void TMForm::ActivateMainMenu() {
  switch (Menu.Item) {
    case 2:
      LeaveMainMenu();
      ShowOptions();
      break;
    case 3:
      LeaveMainMenu();
      ShowHighScores();
      break;
    case 4:
      LeaveMainMenu();
      ShowHelp();
      break;
    case 5:
      platform::OpenLink(Platform(), kMoreGamesLink);
      break;
    case 6:
      OpenWindow(kWindowQuitGame);
      break;
    case 1:
      BeginGame();
      break;
    default:
      break;
  }
}
