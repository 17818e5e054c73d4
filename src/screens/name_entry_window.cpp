#include "screens/name_entry_window.h"

#include <memory>

#include "gameplay/game.h"
#include "objects/kill_and_forget.h"
#include "objects/my_cursor.h"
#include "objects/window_kinds.h"
#include "screens/controls.h"
#include "screens/game_ending.h"
#include "screens/questions.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"
#include "screens/typing.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kCursorX = 266;
constexpr int kCursorY = 337;
constexpr int kCursorBlinkMs = 500;
constexpr int kTextCentreX = 400;
constexpr int kPromptStyle = 9;
constexpr int kNameStyle = 10;
constexpr int kWidestName = 240;  // pixels in the name's style

}  // namespace

TNameEntryWindow::TNameEntryWindow(TScreenHost& host) : TWindow(host, kWindowNameEntry, true) {}

void TNameEntryWindow::Enter() {
  TWindow::Enter();
  cursor_ = new TMyCursor(host_.Game(), kMenuList, "Cursor", kCursorX, kCursorY, kDepth + 1,
                          kCursorBlinkMs);
  cursor_->Blinking = true;
}

void TNameEntryWindow::Leave() {
  TWindow::Leave();
  KillAndForget(cursor_);
}

void TNameEntryWindow::Step(int lag) {
  if (host_.Controls().Back.Pressed) {
    LeaveGameUnnamed(host_);
    return;
  }
  host_.Text().SetTextStyle(kNameStyle);
  cursor_->X = kTextCentreX + host_.Text().TextWidth(host_.PlayerName()) / 2.0;
  cursor_->Step(lag);
}

void TNameEntryWindow::DrawTexts() {
  const int score = host_.Game().Score;
  DrawCentred(kPromptStyle, host_.Text().Cp1251("Ваш результат ") + std::to_string(score), 266);
  DrawCentred(kPromptStyle, host_.Text().Cp1251("Введите свое имя:"), 306);
  DrawCentred(kNameStyle, host_.PlayerName(), 346);
}

// The name goes into the table, and the replay claims it. Without a records server there is
// nothing to ask: on to the table as after "Нет".
void TNameEntryWindow::Activate(int) {
  host_.NameEntered();
  persist::THighScoreTable& table = host_.HighScores();
  const int score = host_.Game().Score;
  table[persist::kInsertSlot] = {host_.PlayerName(), score};
  persist::InsertHighScore(table);
  const int row = persist::RowOfNewEntry(table, score);
  host_.Screens().Pop();
  if (host_.HasScoreServer()) {
    host_.Screens().Push(MakeSendScoreQuestion(host_, row));
  } else {
    LeaveGameForHighScores(host_, row);
  }
}

bool TNameEntryWindow::Typed(int key) {
  TypeInto(host_.Text(), host_.PlayerName(), key, kNameStyle, kWidestName);
  return true;
}
