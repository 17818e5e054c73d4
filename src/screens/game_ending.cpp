#include "screens/game_ending.h"

#include <memory>

#include "gameplay/game.h"
#include "persist/high_scores.h"
#include "screens/main_menu.h"
#include "screens/menu_backdrop.h"
#include "screens/name_entry_window.h"
#include "screens/records_screen.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"

void LeaveGameByScore(TScreenHost& host) {
  if (persist::ScoreQualifies(host.HighScores(), host.Game().Score)) {
    host.Screens().Push(std::make_unique<TNameEntryWindow>(host));
    return;
  }
  host.Game().EndGame();
  host.Screens().Replace(std::make_unique<TMainMenu>(host, 0, TMainMenu::kNewGame, true));
}

void LeaveGameUnnamed(TScreenHost& host) {
  host.Screens().Pop();
  host.Game().EndGame();
  host.Screens().Replace(std::make_unique<TMainMenu>(host, 0, TMainMenu::kNewGame, true));
}

// Straight to the table, with the menus' music and backdrop.
void LeaveGameForHighScores(TScreenHost& host, int newEntryRow) {
  host.Game().EndGame();
  ShowMenuBackdrop(host, true);
  host.Screens().Replace(std::make_unique<TRecordsScreen>(host, newEntryRow));
}
