#include "screens/windows_by_kind.h"

#include <string>

#include "gameplay/game.h"
#include "objects/window_kinds.h"
#include "screens/banner_window.h"
#include "screens/game_ending.h"
#include "screens/name_entry_window.h"
#include "screens/pause_window.h"
#include "screens/questions.h"
#include "screens/screen_host.h"
#include "screens/screen_text.h"
#include "screens/sending_window.h"

namespace {

constexpr int kLevelBannerMs = 2000;
constexpr int kGameOverMs = 3000;

std::unique_ptr<TScreen> MakeLevelBanner(TScreenHost& host) {
  return std::make_unique<TBannerWindow>(
      host, kWindowLevelBanner,
      [&host] { return host.Text().Cp1251("Уровень ") + std::to_string(host.Game().Level); },
      kLevelBannerMs);
}

// When its time is up, the game is left by its score.
std::unique_ptr<TScreen> MakeGameOver(TScreenHost& host) {
  return std::make_unique<TBannerWindow>(
      host, kWindowGameOver, [&host] { return host.Text().Cp1251("Конец Игры"); }, kGameOverMs,
      [&host] { LeaveGameByScore(host); });
}

std::unique_ptr<TScreen> MakePause(TScreenHost& host) {
  return std::make_unique<TPauseWindow>(host);
}

std::unique_ptr<TScreen> MakeNameEntry(TScreenHost& host) {
  return std::make_unique<TNameEntryWindow>(host);
}

// Opened by kind, these have no table of their own to mark a row in or clear a mark from.
std::unique_ptr<TScreen> MakeClearRecords(TScreenHost& host) {
  return MakeClearRecordsQuestion(host, {});
}

std::unique_ptr<TScreen> MakeSendScore(TScreenHost& host) {
  return MakeSendScoreQuestion(host, 0);
}

std::unique_ptr<TScreen> MakeSending(TScreenHost& host) {
  return std::make_unique<TSendingWindow>(host, 0);
}

struct TWindowOfKind {
  int kind;
  std::unique_ptr<TScreen> (*make)(TScreenHost&);
};

constexpr TWindowOfKind kWindows[] = {
    {kWindowQuitGame, MakeQuitGameQuestion}, {kWindowQuitToMenu, MakeQuitToMenuQuestion},
    {kWindowClearRecords, MakeClearRecords}, {kWindowPause, MakePause},
    {kWindowLevelBanner, MakeLevelBanner},   {kWindowGameOver, MakeGameOver},
    {kWindowNameEntry, MakeNameEntry},       {kWindowSendScore, MakeSendScore},
    {kWindowSending, MakeSending},
};

}  // namespace

std::unique_ptr<TScreen> MakeWindow(TScreenHost& host, int kind) {
  for (const TWindowOfKind& window : kWindows)
    if (window.kind == kind) return window.make(host);
  return nullptr;
}
