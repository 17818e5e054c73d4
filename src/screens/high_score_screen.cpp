#include "app/form.h"
#include "app/form_screen.h"
#include "objects/menu_button.h"
#include "objects/value_steps.h"
#include "persist/score_links.h"
#include "platform/links.h"
#include "screens/questions.h"
#include "screens/screen_text.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kBack = 1, kClear = 2, kVisit = 3;
constexpr int kRowsTop = 264;
constexpr int kRowStep = 26;
constexpr int kRowStyle = 2;
constexpr uint32_t kNewEntryColour = 0x000000F4;  // 0x00BBGGRR: the banners' red
constexpr int kNoteStyle = 16;
constexpr int kNoteY = 262;        // the blank band above the first row
constexpr int kNoteCentreX = 460;  // the panel's middle

}  // namespace

void TMForm::ShowHighScores() {
  screens_.Replace(std::make_unique<TFormScreen>(*this, kScreenHighScores));
  Menu.First = kBack;
  Menu.Last = kVisit;
  Menu.Item = kBack;
  ScreenFrame.Show(Game, "Cap_HS", "HS_Bg");
  Menu.Buttons[kBack] = new TMenuButton(Game, kMenuList, "Back_A", "Back_I", 0, 0, 177, 549);
  Menu.Buttons[kClear] =
      new TMenuButton(Game, kMenuList, "Clear_HS_A", "Clear_HS_I", 0, 0, 311, 550);
  Menu.Buttons[kVisit] =
      new TMenuButton(Game, kMenuList, "Visit_WHS_A", "Visit_WHS_I", 0, 0, 518, 550);
}

void TMForm::UpdateHighScores(int lag) {
  Menu.Highlight();
  if (Keys.LeftPressed) objects::StepDown(Menu.Item, Menu.First, 1);
  if (Keys.RightPressed) objects::StepUp(Menu.Item, Menu.Last, 1);
  if (Keys.EscPressed) screens_.Activate(kBack);
  if (ScreenType() != kScreenHighScores) return;  // Back left the screen
  MDXSpriteEngine.StepAll(lag);
  DrawHighScoreTable();
}

// The player's new entry, when the table is shown after their game, stands out in red.
void TMForm::DrawHighScoreTable() {
  for (int i = 1; i <= persist::kTableSize; ++i) {
    Text.SetTextStyle(kRowStyle);
    if (i == NewEntryRow) Text.SetTextColour(kNewEntryColour);
    const int y = kRowsTop + kRowStep * i;
    Text.DrawText(std::to_string(i), 238, true, true, y);
    Text.DrawText(HighScores[i].Name, 420, true, true, y);
    Text.DrawText(std::to_string(HighScores[i].Points), 661, true, true, y);
  }
  if (NoServerNoteShown) {
    Text.SetTextStyle(kNoteStyle);
    Text.DrawText(Cp1251Text(kNoScoreServerNote), kNoteCentreX, true, true, kNoteY);
  }
}

void TMForm::ActivateHighScores() {
  switch (Menu.Item) {
    case kBack:
      ShowMainMenu(0, 3, false);
      break;
    case kClear:
      screens_.Push(MakeClearRecordsQuestion(host_, [this] { NewEntryRow = 0; }));
      break;
    case kVisit:
      if (HasScoreServer()) {
        platform::OpenLink(Platform(), persist::WorldRecordsAddress(config_.scoreUrl));
      } else {
        NoServerNoteShown = true;
      }
      break;
    default:
      break;
  }
}

void TMForm::LeaveHighScores() {
  NewEntryRow = 0;
  NoServerNoteShown = false;
  Menu.RemoveButtons();
  ScreenFrame.Hide();
}
