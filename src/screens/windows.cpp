#include "app/form.h"
#include "objects/kill_and_forget.h"
#include "objects/menu_button.h"
#include "objects/my_cursor.h"
#include "objects/value_steps.h"
#include "screens/screen_text.h"

namespace {

constexpr int kYes = 11;
constexpr int kNo = 12;
constexpr uint8_t kMenuList = 1;
constexpr int kTextCentreX = 400;
constexpr int kLevelBannerMs = 2000;
constexpr int kGameOverMs = 3000;
constexpr int kCursorBlinkMs = 500;

bool AsksYesOrNo(int kind) {
  return kind == kWindowQuitGame || kind == kWindowQuitToMenu || kind == kWindowClearRecords ||
         kind == kWindowSendScore;
}

// The questions, the name entry and the sending notice stand on the window's backdrop; the
// pause, the level banner and the game over are bare texts over the game.
bool HasBackdrop(int kind) {
  return AsksYesOrNo(kind) || kind == kWindowNameEntry || kind == kWindowSending;
}

}  // namespace

void TMForm::OpenWindow(int kind) {
  if (WindowOpen != 0) return;
  WindowOpen = static_cast<uint8_t>(kind);
  SavedMenuItem = Menu.Item;
  SavedMenuFirst = Menu.First;
  SavedMenuLast = Menu.Last;
  if (HasBackdrop(kind))
    WindowBackdrop = new TMyImageSprite(Game, kMenuList, "Window", 256, 226, kWindowDepth);
  if (AsksYesOrNo(kind)) {
    ShowMouseCursor();
    Menu.First = kYes;
    Menu.Last = kNo;
    Menu.Item = kind == kWindowSendScore ? kYes : kNo;
    Menu.Buttons[kYes] = new TMenuButton(Game, kMenuList, "Yes", "Yes", 0, 1, 320, 346);
    Menu.Buttons[kNo] = new TMenuButton(Game, kMenuList, "No", "No", 0, 1, 446, 346);
    Menu.Buttons[kYes]->SetZ(kWindowDepth + 1);
    Menu.Buttons[kNo]->SetZ(kWindowDepth + 1);
  }
  if (kind == kWindowLevelBanner) WindowTimer = kLevelBannerMs;
  if (kind == kWindowGameOver) WindowTimer = kGameOverMs;
  if (kind == kWindowNameEntry) {
    TextCursor =
        new TMyCursor(Game, kMenuList, "Cursor", 266, 337, kWindowDepth + 1, kCursorBlinkMs);
    TextCursor->Blinking = true;
  }
  SendPending = false;
}

void TMForm::CloseWindow() {
  const int kind = WindowOpen;
  Menu.Item = SavedMenuItem;
  Menu.First = SavedMenuFirst;
  Menu.Last = SavedMenuLast;
  if (HasBackdrop(kind)) KillAndForget(WindowBackdrop);
  if (AsksYesOrNo(kind)) {
    if (ScreenType == kScreenGame) HideMouseCursor();
    KillAndForget(Menu.Buttons[kYes]);
    KillAndForget(Menu.Buttons[kNo]);
  }
  if (kind == kWindowNameEntry) KillAndForget(TextCursor);
  WindowOpen = 0;
}

// An answer given by key closes the question within the frame; the rest of the frame belongs
// to what follows it (the next window's texts and first step, the heads-up display), so no
// frame is drawn without them.
void TMForm::UpdateWindow(int lag) {
  if (AsksYesOrNo(WindowOpen)) {
    // Only the buttons move: whatever stands behind the window is frozen.
    Menu.Buttons[kYes]->Step(lag);
    Menu.Buttons[kNo]->Step(lag);
    // The selection moving onto the window's buttons takes it off the options' rows.
    if (Menu.Highlight() && ScreenType == kScreenOptions) EndOptionEditsOffTheRow();
    // Escape takes back what opened the question, as "Нет" does.
    if (Keys.YesPressed) {
      ActivateItem(kYes);
    } else if (Keys.NoPressed || Keys.EscPressed) {
      ActivateItem(kNo);
    } else if (Keys.LeftPressed) {
      objects::ClampToFirst(Menu.Item, Menu.First, Menu.Last);
      objects::StepDown(Menu.Item, Menu.First, 1);
    } else if (Keys.RightPressed) {
      objects::ClampToLast(Menu.Item, Menu.First, Menu.Last);
      objects::StepUp(Menu.Item, Menu.Last, 1);
    }
  }
  DrawWindowTexts();
  switch (WindowOpen) {
    case kWindowPause:
      if (Keys.PausePressed || Keys.EscPressed) CloseWindow();
      break;
    case kWindowLevelBanner:
      if (!objects::CountDown(WindowTimer, 0, Game.FrameMs)) CloseWindow();
      break;
    case kWindowGameOver:
      if (!objects::CountDown(WindowTimer, 0, Game.FrameMs)) {
        CloseWindow();
        LeaveGameByScore();
      }
      break;
    case kWindowNameEntry:
      if (Keys.EscPressed) {
        LeaveGameUnnamed();
        return;
      }
      SetTextStyle(10);
      TextCursor->X = kTextCentreX + TextWidth(PlayerName) / 2.0;
      TextCursor->Step(lag);
      break;
    case kWindowSending:
      // The first frame shows the text; the request blocks in the next.
      if (!SendPending) {
        SendPending = true;
      } else {
        SubmitScore();
        CloseWindow();
        LeaveGameForHighScores();
      }
      break;
    default:
      break;
  }
  if (ScreenType == kScreenGame) Game.DrawHud();
}

// The end of a game: a score for the table leads to the name entry, any other back to the
// main menu.
void TMForm::LeaveGameByScore() {
  if (persist::ScoreQualifies(HighScores, Game.Score)) {
    OpenWindow(kWindowNameEntry);
    return;
  }
  Game.EndGame();
  ShowMainMenu(0, 1, true);
}

// Escape in the name entry leaves the game as Escape in the game does: for the main menu, and
// the table as it was.
void TMForm::LeaveGameUnnamed() {
  CloseWindow();
  Game.EndGame();
  ShowMainMenu(0, 1, true);
}

void TMForm::LeaveGameForHighScores() {
  Game.EndGame();
  ShowMainMenu(0, 3, true);
  LeaveMainMenu();
  ShowHighScores();
}

void TMForm::DrawWindowTexts() {
  auto centred = [this](int style, const std::string& text, int y) {
    SetTextStyle(style);
    DrawText(text, kTextCentreX, true, true, y);
  };
  switch (WindowOpen) {
    case kWindowQuitGame:
      centred(1, Cp1251Text("Выйти из игры?"), 286);
      break;
    case kWindowQuitToMenu:
      centred(1, Cp1251Text("Выйти в меню?"), 286);
      break;
    case kWindowClearRecords:
      centred(3, Cp1251Text("Очистить рекорды?"), 286);
      break;
    case kWindowPause:
      centred(5, Cp1251Text("Пауза"), 286);
      break;
    case kWindowLevelBanner:
      centred(5, Cp1251Text("Уровень ") + std::to_string(Game.Level), 286);
      break;
    case kWindowGameOver:
      centred(5, Cp1251Text("Конец Игры"), 286);
      break;
    case kWindowNameEntry:
      centred(9, Cp1251Text("Ваш результат ") + std::to_string(Game.Score), 266);
      centred(9, Cp1251Text("Введите свое имя:"), 306);
      centred(10, PlayerName, 346);
      break;
    case kWindowSendScore:
      centred(11, Cp1251Text("Отправить результат"), 256);
      centred(11, Cp1251Text("на страницу мировых"), 286);
      centred(11, Cp1251Text("рекордов?"), 316);
      break;
    case kWindowSending:
      centred(11, Cp1251Text("Отправка результата..."), 296);
      break;
    default:
      break;
  }
}
