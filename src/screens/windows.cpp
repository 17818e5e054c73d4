#include "app/form.h"
#include "objects/menu_button.h"
#include "objects/my_cursor.h"
#include "objects/value_steps.h"
#include "platform/text_encoding.h"

namespace {

enum TWindowKind : int {
  kQuitGame = 1,
  kQuitToMenu = 2,
  kClearRecords = 4,
  kPause = 5,
  kLevelBanner = 6,
  kGameOver = 7,
  kNameEntry = 8,
  kSendScore = 9,
  kSending = 10,
};

constexpr int kYes = 11;
constexpr int kNo = 12;
constexpr uint8_t kMenuList = 1;
constexpr int kTextCentreX = 400;
constexpr int kLevelBannerMs = 2000;
constexpr int kGameOverMs = 3000;
constexpr int kCursorBlinkMs = 500;

bool HasBackdrop(int kind) {
  return kind == kQuitGame || kind == kQuitToMenu || kind == kClearRecords || kind == kNameEntry ||
         kind == kSendScore || kind == kSending;
}

bool AsksYesOrNo(int kind) {
  return kind == kQuitGame || kind == kQuitToMenu || kind == kClearRecords || kind == kSendScore;
}

}  // namespace

void TMForm::OpenWindow(int kind) {
  if (WindowOpen != 0) return;
  WindowOpen = static_cast<uint8_t>(kind);
  SavedMenuItem = MenuItem;
  SavedMenuFirst = MenuFirst;
  SavedMenuLast = MenuLast;
  if (HasBackdrop(kind)) WindowBackdrop = new TMyImageSprite(kMenuList, "Window", 256, 226, 14);
  if (AsksYesOrNo(kind)) {
    ShowMouseCursor();
    MenuFirst = kYes;
    MenuLast = kNo;
    MenuItem = kind == kSendScore ? kYes : kNo;
    MenuButtons[kYes] = new TMenuButton(kMenuList, "Yes", "Yes", 0, 1, 320, 346);
    MenuButtons[kNo] = new TMenuButton(kMenuList, "No", "No", 0, 1, 446, 346);
    MenuButtons[kYes]->SetZ(15);
    MenuButtons[kNo]->SetZ(15);
  }
  if (kind == kLevelBanner) WindowTimer = kLevelBannerMs;
  if (kind == kGameOver) WindowTimer = kGameOverMs;
  if (kind == kNameEntry) {
    TextCursor = new TMyCursor(kMenuList, "Cursor", 266, 337, 15, kCursorBlinkMs);
    TextCursor->Blinking = true;
  }
  SendPending = false;
}

void TMForm::CloseWindow() {
  const int kind = WindowOpen;
  MenuItem = SavedMenuItem;
  MenuFirst = SavedMenuFirst;
  MenuLast = SavedMenuLast;
  if (HasBackdrop(kind) && WindowBackdrop) {
    WindowBackdrop->KillOnce();
    WindowBackdrop = nullptr;
  }
  if (AsksYesOrNo(kind)) {
    if (ScreenType == kScreenGame) HideMouseCursor();
    for (int i : {kYes, kNo}) {
      if (!MenuButtons[i]) continue;
      MenuButtons[i]->KillOnce();
      MenuButtons[i] = nullptr;
    }
  }
  if (kind == kNameEntry && TextCursor) {
    TextCursor->KillOnce();
    TextCursor = nullptr;
  }
  WindowOpen = 0;
}

void TMForm::UpdateWindow(int lag) {
  const int kind = WindowOpen;
  if (AsksYesOrNo(kind)) {
    // Only the buttons move: whatever stands behind the window is frozen.
    MenuButtons[kYes]->Step(lag);
    MenuButtons[kNo]->Step(lag);
    HighlightSelection();
    if (Keys.YesPressed) {
      ActivateItem(kYes);
    } else if (Keys.NoPressed) {
      ActivateItem(kNo);
    } else if (Keys.LeftPressed) {
      objects::ClampToFirst(MenuItem, MenuFirst, MenuLast);
      objects::StepDown(MenuItem, MenuFirst, 1);
    } else if (Keys.RightPressed) {
      objects::ClampToLast(MenuItem, MenuFirst, MenuLast);
      objects::StepUp(MenuItem, MenuLast, 1);
    }
    // Activation may have closed the window or ended the program.
    if (WindowOpen != kind) return;
  }
  DrawWindowTexts();
  switch (kind) {
    case kPause:
      if (Keys.PausePressed || Keys.EscPressed) CloseWindow();
      break;
    case kLevelBanner:
      if (!objects::CountDown(WindowTimer, 0, FrameMs)) CloseWindow();
      break;
    case kNameEntry:
      SetTextStyle(10);
      TextCursor->X = kTextCentreX + TextWidth(PlayerName) / 2.0;
      TextCursor->Step(lag);
      break;
    default:
      // The game-over and sending windows lead into the end-of-game chain, which comes
      // with the running game and the high-score table.
      break;
  }
}

void TMForm::DrawWindowTexts() {
  // The canvas takes code page 1251; the texts are written here as they read.
  static const std::string kQuitGameText = platform::Cp1251FromUtf8("Выйти из игры?");
  static const std::string kQuitToMenuText = platform::Cp1251FromUtf8("Выйти в меню?");
  static const std::string kClearText = platform::Cp1251FromUtf8("Очистить рекорды?");
  static const std::string kPauseText = platform::Cp1251FromUtf8("Пауза");
  static const std::string kLevelText = platform::Cp1251FromUtf8("Уровень ");
  static const std::string kGameOverText = platform::Cp1251FromUtf8("Конец Игры");
  static const std::string kResultText = platform::Cp1251FromUtf8("Ваш результат ");
  static const std::string kNamePrompt = platform::Cp1251FromUtf8("Введите свое имя:");
  static const std::string kSend1 = platform::Cp1251FromUtf8("Отправить результат");
  static const std::string kSend2 = platform::Cp1251FromUtf8("на страницу мировых");
  static const std::string kSend3 = platform::Cp1251FromUtf8("рекордов?");
  static const std::string kSendingText = platform::Cp1251FromUtf8("Отправка результата...");
  auto centred = [this](int style, const std::string& text, int y) {
    SetTextStyle(style);
    DrawText(text, kTextCentreX, true, true, y);
  };
  switch (WindowOpen) {
    case kQuitGame:
      centred(1, kQuitGameText, 286);
      break;
    case kQuitToMenu:
      centred(1, kQuitToMenuText, 286);
      break;
    case kClearRecords:
      centred(3, kClearText, 286);
      break;
    case kPause:
      centred(5, kPauseText, 286);
      break;
    case kLevelBanner:
      centred(5, kLevelText + std::to_string(Level), 286);
      break;
    case kGameOver:
      centred(5, kGameOverText, 286);
      break;
    case kNameEntry:
      centred(9, kResultText + std::to_string(Score), 266);
      centred(9, kNamePrompt, 306);
      centred(10, PlayerName, 346);
      break;
    case kSendScore:
      centred(11, kSend1, 256);
      centred(11, kSend2, 286);
      centred(11, kSend3, 316);
      break;
    case kSending:
      centred(11, kSendingText, 296);
      break;
    default:
      break;
  }
}
