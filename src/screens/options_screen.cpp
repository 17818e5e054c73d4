#include "app/form.h"
#include "app/form_screen.h"
#include "objects/kill_and_forget.h"
#include "objects/menu_button.h"
#include "objects/my_cursor.h"
#include "objects/value_steps.h"
#include "platform/vk_codes.h"
#include "screens/screen_text.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kRowY[] = {0, 270, 323, 375, 428, 481};
constexpr int kLabelX = 220;
constexpr int kValueX = 410;
constexpr int kBossKeyRow = 4;
constexpr int kCountryRow = 5;
constexpr int kBackRow = 6;
constexpr int kPlain = 4;      // labels and unselected values
constexpr int kSelected = 13;  // the value in force

}  // namespace

void TMForm::ShowOptions() {
  screens_.Replace(std::make_unique<TFormScreen>(*this, kScreenOptions));
  Menu.First = 1;
  Menu.Last = kBackRow;
  Menu.Item = kBackRow;
  ScreenFrame.Show(Game, "Cap_Opt", "Sub_Bg");
  for (int row = 1; row < kBackRow; ++row)
    Menu.Buttons[row] = new TMenuButton(Game, kMenuList, "OptB_A", "OptB_I", 0, 0, 204, kRowY[row]);
  Menu.Buttons[kBackRow] = new TMenuButton(Game, kMenuList, "Back_A", "Back_I", 0, 0, 177, 549);
  TextCursor = new TMyCursor(Game, kMenuList, "Cursor", 410, 485, 5, 500);
  TextCursor->Blinking = false;
  CountryEdit = false;
  BossCapture = false;
}

void TMForm::UpdateOptions(int lag) {
  if (Menu.Highlight()) EndOptionEditsOffTheRow();
  if (!CountryEdit) {
    if (Keys.UpPressed) objects::StepDown(Menu.Item, Menu.First, 1);
    if (Keys.DownPressed) objects::StepUp(Menu.Item, Menu.Last, 1);
    if (Keys.LeftPressed) ChooseOptionSide(true);
    if (Keys.RightPressed) ChooseOptionSide(false);
    if (Keys.EscPressed) screens_.Activate(kBackRow);
  } else if (Keys.EscPressed) {
    screens_.Activate(kCountryRow);  // ends the editing
  }
  if (ScreenType() != kScreenOptions) return;  // Back left the screen
  MDXSpriteEngine.StepAll(lag);
  DrawOptions();
  TextCursor->X = kValueX + Text.TextWidthIn(Options.Country, kPlain);
}

void TMForm::DrawOptions() {
  auto write = [this](int style, const char* utf8, int x, int row) {
    Text.SetTextStyle(style);
    Text.DrawText(Cp1251Text(utf8), x, false, false, kRowY[row]);
  };
  write(kPlain, "РЕЖИМ:", kLabelX, 1);
  write(kPlain, "МУЗЫКА:", kLabelX, 2);
  write(kPlain, "ЗВУКИ:", kLabelX, 3);
  write(kPlain, "БОСС-Клавиша:", kLabelX, 4);
  write(kPlain, "ВАША СТРАНА:", kLabelX, 5);
  write(Options.FullScreen ? kPlain : kSelected, "В ОКНЕ", 410, 1);
  write(kPlain, "/", 491, 1);
  write(Options.FullScreen ? kSelected : kPlain, "ПОЛНЫЙ ЭКРАН", 507, 1);
  for (int row : {2, 3}) {
    const bool on = row == 2 ? Options.Music : Options.Sounds;
    write(on ? kSelected : kPlain, "ВКЛ.", 410, row);
    write(kPlain, "/", 454, row);
    write(on ? kPlain : kSelected, "ВЫКЛ.", 468, row);
  }
  Text.SetTextStyle(kSelected);
  Text.DrawText(BossKeyName(), kValueX, false, false, kRowY[kBossKeyRow]);
  Text.SetTextStyle(kPlain);
  Text.DrawText(Options.Country, kValueX, false, false, kRowY[kCountryRow]);
  Text.DrawText(std::string(20, '_'), kValueX, false, false, kRowY[kCountryRow]);
}

// Left and Right choose the value on that side of the selected row (В ОКНЕ / ПОЛНЫЙ ЭКРАН,
// ВКЛ. / ВЫКЛ.), as choosing the row would switch it; the other rows have no sides.
void TMForm::ChooseOptionSide(bool left) {
  std::optional<bool> leftInForce;
  if (Menu.Item == 1) leftInForce = !Options.FullScreen;
  if (Menu.Item == 2) leftInForce = Options.Music;
  if (Menu.Item == 3) leftInForce = Options.Sounds;
  if (leftInForce && *leftInForce != left) screens_.ActivateCurrent();
}

void TMForm::ActivateOptions() {
  switch (Menu.Item) {
    case 1:
      Options.FullScreen = !Options.FullScreen;
      ApplyDisplayMode();
      break;
    case 2:
      Options.Music = !Options.Music;
      StopSong();
      StartScreenMusic();
      break;
    case 3:
      Options.Sounds = !Options.Sounds;
      break;
    case kBossKeyRow:
      ToggleBossCapture();
      break;
    case kCountryRow:
      ToggleCountryEdit();
      break;
    case kBackRow:
      ShowMainMenu(0, 2, false);
      break;
    default:
      break;
  }
}

void TMForm::LeaveOptions() {
  // A capture or an edit still running ends as moving off its row ends it: a capture that
  // caught no key gives the old one back.
  if (BossCapture) ToggleBossCapture();
  if (CountryEdit) ToggleCountryEdit();
  ScreenFrame.Hide();
  Menu.RemoveButtons();
  KillAndForget(TextCursor);
}

// Moving off the boss-key or the country row ends its capture or its editing.
void TMForm::EndOptionEditsOffTheRow() {
  if (BossCapture && Menu.Item != kBossKeyRow) ToggleBossCapture();
  if (CountryEdit && Menu.Item != kCountryRow) ToggleCountryEdit();
}

// Editing that begins on the default country begins on an empty field; one that ends empty
// gives the default back.
void TMForm::ToggleCountryEdit() {
  CountryEdit = !CountryEdit;
  if (CountryEdit && Options.Country == persist::kDefaultCountry) Options.Country.clear();
  if (!CountryEdit && Options.Country.empty()) Options.Country = persist::kDefaultCountry;
  if (TextCursor) TextCursor->Blinking = !TextCursor->Blinking;
}

void TMForm::ToggleBossCapture() {
  if (!BossCapture) {
    SavedBossShift = BossShift;
    SavedBossKey = BossKey;
    BossShift = 0;
    BossKey = 0;
  } else if (BossKey == 0) {
    BossShift = SavedBossShift;
    BossKey = SavedBossKey;
  }
  BossCapture = !BossCapture;
}

std::string TMForm::BossKeyName() const {
  std::string name;
  if (BossShift & platform::kShiftAlt) {
    name = "ALT+";
  } else if (BossShift & platform::kShiftCtrl) {
    name = "CTRL+";
  } else if (BossShift & platform::kShiftShift) {
    name = "SHIFT+";
  }
  if (BossKey >= platform::vk::kF1 && BossKey <= platform::vk::kF12)
    name += "F" + std::to_string(BossKey - platform::vk::kF1 + 1);
  if (name.empty()) return "?";
  if (name.back() == '+') name += "?";
  return name;
}
