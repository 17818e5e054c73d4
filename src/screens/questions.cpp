#include "screens/questions.h"

#include "engine/sprite_engine.h"
#include "objects/kill_and_forget.h"
#include "objects/scroll_background.h"
#include "objects/window_kinds.h"
#include "persist/high_scores.h"
#include "screens/game_ending.h"
#include "screens/question_window.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"
#include "screens/sending_window.h"

namespace {

constexpr int kQuitStyle = 1;
constexpr int kClearStyle = 3;
constexpr int kSendStyle = 11;

}  // namespace

// Saved first: a save that fails leaves the screen as it was, to be left again.
std::unique_ptr<TScreen> MakeQuitGameQuestion(TScreenHost& host) {
  return std::make_unique<TQuestionWindow>(
      host, kWindowQuitGame, TQuestionWindow::TWording{{"Выйти из игры?"}, kQuitStyle}, [&host] {
        host.SaveAndExit();
        KillAndForget(host.Sky());
        host.Screens().Replace(nullptr);
      });
}

std::unique_ptr<TScreen> MakeQuitToMenuQuestion(TScreenHost& host) {
  return std::make_unique<TQuestionWindow>(host, kWindowQuitToMenu,
                                           TQuestionWindow::TWording{{"Выйти в меню?"}, kQuitStyle},
                                           [&host] { LeaveGameByScore(host); });
}

std::unique_ptr<TScreen> MakeClearRecordsQuestion(TScreenHost& host,
                                                  std::function<void()> cleared) {
  return std::make_unique<TQuestionWindow>(
      host, kWindowClearRecords, TQuestionWindow::TWording{{"Очистить рекорды?"}, kClearStyle},
      [&host, cleared = std::move(cleared)] {
        persist::DefaultHighScores(host.HighScores());
        if (cleared) cleared();
      });
}

// Yes: the notice of the sending stands on a backdrop of its own, once the question's pictures
// have gone.
std::unique_ptr<TScreen> MakeSendScoreQuestion(TScreenHost& host, int newEntryRow) {
  return std::make_unique<TQuestionWindow>(
      host, kWindowSendScore,
      TQuestionWindow::TWording{
          {"Отправить результат", "на страницу мировых", "рекордов?"}, kSendStyle, true},
      [&host, newEntryRow] {
        host.Sprites().PurgeDead();
        host.Screens().Push(std::make_unique<TSendingWindow>(host, newEntryRow));
      },
      [&host, newEntryRow] { LeaveGameForHighScores(host, newEntryRow); });
}
