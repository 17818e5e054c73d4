#include "screens/records_screen.h"

#include <memory>
#include <string>

#include "engine/sprite_engine.h"
#include "gameplay/game.h"
#include "objects/menu_button.h"
#include "objects/value_steps.h"
#include "persist/score_links.h"
#include "screens/controls.h"
#include "screens/main_menu.h"
#include "screens/questions.h"
#include "screens/score_server_note.h"
#include "screens/screen_host.h"
#include "screens/screen_layout.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"
#include "screens/screen_types.h"

namespace {

constexpr uint8_t kMenuList = 1;
using screen_layout::kRecordRowStep;
using screen_layout::kRecordRowsY;
constexpr int kRowStyle = 2;
constexpr int kRankX = 238;
constexpr int kNameX = 420;
constexpr int kPointsX = 661;
constexpr uint32_t kNewEntryColour = 0x000000F4;  // 0x00BBGGRR: the banners' red
constexpr int kNoteStyle = 16;
constexpr int kNoteY = 262;        // the blank band above the first row
constexpr int kNoteCentreX = 460;  // the panel's middle

}  // namespace

uint8_t TRecordsScreen::Number() const {
  return kScreenHighScores;
}

// ShowHighScores: Back is selected.
void TRecordsScreen::Enter() {
  menu_.First = kBack;
  menu_.Last = kVisit;
  menu_.Item = kBack;
  gameplay::TGame& game = host_.Game();
  frame_.Show(game, "Cap_HS", "HS_Bg");
  menu_.Buttons[kBack] = new TMenuButton(game, kMenuList, "Back_A", "Back_I", 0, 0, 177, 549);
  menu_.Buttons[kClear] =
      new TMenuButton(game, kMenuList, "Clear_HS_A", "Clear_HS_I", 0, 0, 311, 550);
  menu_.Buttons[kVisit] =
      new TMenuButton(game, kMenuList, "Visit_WHS_A", "Visit_WHS_I", 0, 0, 518, 550);
}

void TRecordsScreen::Leave() {
  menu_.RemoveButtons();
  frame_.Hide();
}

void TRecordsScreen::Step(int lag) {
  menu_.Highlight();
  const TControls& controls = host_.Controls();
  if (controls.Left.Pressed) objects::StepDown(menu_.Item, menu_.First, 1);
  if (controls.Right.Pressed) objects::StepUp(menu_.Item, menu_.Last, 1);
  if (controls.Back.Pressed) host_.Screens().Activate(kBack);
  if (host_.Screens().Base() != this) return;  // Back left the screen
  host_.Sprites().StepAll(lag);
  DrawTexts();
}

// The player's new entry, when the table is shown after their game, stands out in red.
void TRecordsScreen::DrawTexts() {
  TScreenText& text = host_.Text();
  const persist::THighScoreTable& table = host_.HighScores();
  for (int i = 1; i <= persist::kTableSize; ++i) {
    text.SetTextStyle(kRowStyle);
    if (i == newEntryRow_) text.SetTextColour(kNewEntryColour);
    const int y = kRecordRowsY + kRecordRowStep * i;
    text.DrawText(std::to_string(i), kRankX, true, true, y);
    text.DrawText(table[i].Name, kNameX, true, true, y);
    text.DrawText(std::to_string(table[i].Points), kPointsX, true, true, y);
  }
  if (noServerNoteShown_) {
    text.SetTextStyle(kNoteStyle);
    text.DrawText(text.Cp1251(kNoScoreServerNote), kNoteCentreX, true, true, kNoteY);
  }
}

void TRecordsScreen::Activate(int item) {
  switch (item) {
    case kBack:
      host_.Screens().Replace(std::make_unique<TMainMenu>(host_, 0, TMainMenu::kRecords, false));
      break;
    case kClear:
      host_.Screens().Push(MakeClearRecordsQuestion(host_, [this] { newEntryRow_ = 0; }));
      break;
    case kVisit:
      if (host_.HasScoreServer()) {
        host_.OpenLink(persist::WorldRecordsAddress(host_.ScoreServer()));
      } else {
        noServerNoteShown_ = true;
      }
      break;
    default:
      break;
  }
}
