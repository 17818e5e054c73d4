#include "screens/options_screen.h"

#include <memory>
#include <optional>

#include "engine/sprite_engine.h"
#include "gameplay/game.h"
#include "objects/kill_and_forget.h"
#include "objects/menu_button.h"
#include "objects/my_cursor.h"
#include "objects/value_steps.h"
#include "persist/options_file.h"
#include "platform/events.h"
#include "platform/vk_codes.h"
#include "screens/controls.h"
#include "screens/main_menu.h"
#include "screens/screen_host.h"
#include "screens/screen_layout.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"
#include "screens/screen_types.h"
#include "screens/typing.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kModeRow = 1, kMusicRow = 2, kSoundsRow = 3;
using screen_layout::kOptionRowX;
using screen_layout::kOptionRowY;
constexpr int kBackX = 177;
constexpr int kBackY = 549;
constexpr int kLabelX = 220;
constexpr int kValueX = 410;
constexpr int kPlain = 4;      // labels and unselected values
constexpr int kSelected = 13;  // the value in force
constexpr int kCursorY = 485;
constexpr int kCursorDepth = 5;
constexpr int kCursorBlinkMs = 500;
constexpr int kWidestCountry = 180;  // pixels in the plain style
constexpr int kCountryField = 20;    // underscores under the country

}  // namespace

uint8_t TOptionsScreen::Number() const {
  return kScreenOptions;
}

// ShowOptions: Back is selected.
void TOptionsScreen::Enter() {
  menu_.First = 1;
  menu_.Last = kBackRow;
  menu_.Item = kBackRow;
  gameplay::TGame& game = host_.Game();
  frame_.Show(game, "Cap_Opt", "Sub_Bg");
  for (int row = 1; row < kBackRow; ++row)
    menu_.Buttons[row] =
        new TMenuButton(game, kMenuList, "OptB_A", "OptB_I", 0, 0, kOptionRowX, kOptionRowY[row]);
  menu_.Buttons[kBackRow] =
      new TMenuButton(game, kMenuList, "Back_A", "Back_I", 0, 0, kBackX, kBackY);
  cursor_ =
      new TMyCursor(game, kMenuList, "Cursor", kValueX, kCursorY, kCursorDepth, kCursorBlinkMs);
  cursor_->Blinking = false;
  countryEdit_ = false;
  bossCapture_ = false;
}

// A capture or an edit still running ends as moving off its row ends it: a capture that
// caught no key gives the old one back.
void TOptionsScreen::Leave() {
  EndRowChanges();
  frame_.Hide();
  menu_.RemoveButtons();
  KillAndForget(cursor_);
}

void TOptionsScreen::Step(int lag) {
  if (menu_.Highlight()) EndRowChangesOffTheRow();
  const TControls& controls = host_.Controls();
  TScreenStack& screens = host_.Screens();
  if (!countryEdit_) {
    if (controls.Up.Pressed) objects::StepDown(menu_.Item, menu_.First, 1);
    if (controls.Down.Pressed) objects::StepUp(menu_.Item, menu_.Last, 1);
    if (controls.Left.Pressed) ChooseSide(true);
    if (controls.Right.Pressed) ChooseSide(false);
    if (controls.Back.Pressed) screens.Activate(kBackRow);
  } else if (controls.Back.Pressed) {
    screens.Activate(kCountryRow);  // ends the editing
  }
  if (screens.Base() != this) return;  // Back left the screen
  host_.Sprites().StepAll(lag);
  DrawTexts();
  cursor_->X = kValueX + host_.Text().TextWidthIn(host_.Settings().options.Country, kPlain);
}

void TOptionsScreen::DrawTexts() {
  TScreenText& text = host_.Text();
  const persist::TGameOptions& options = host_.Settings().options;
  auto write = [&text](int style, const char* utf8, int x, int row) {
    text.SetTextStyle(style);
    text.DrawText(text.Cp1251(utf8), x, false, false, kOptionRowY[row]);
  };
  write(kPlain, "РЕЖИМ:", kLabelX, kModeRow);
  write(kPlain, "МУЗЫКА:", kLabelX, kMusicRow);
  write(kPlain, "ЗВУКИ:", kLabelX, kSoundsRow);
  write(kPlain, "БОСС-Клавиша:", kLabelX, kBossKeyRow);
  write(kPlain, "ВАША СТРАНА:", kLabelX, kCountryRow);
  write(options.FullScreen ? kPlain : kSelected, "В ОКНЕ", 410, kModeRow);
  write(kPlain, "/", 491, kModeRow);
  write(options.FullScreen ? kSelected : kPlain, "ПОЛНЫЙ ЭКРАН", 507, kModeRow);
  for (int row : {kMusicRow, kSoundsRow}) {
    const bool on = row == kMusicRow ? options.Music : options.Sounds;
    write(on ? kSelected : kPlain, "ВКЛ.", 410, row);
    write(kPlain, "/", 454, row);
    write(on ? kPlain : kSelected, "ВЫКЛ.", 468, row);
  }
  text.SetTextStyle(kSelected);
  text.DrawText(BossKeyName(), kValueX, false, false, kOptionRowY[kBossKeyRow]);
  text.SetTextStyle(kPlain);
  text.DrawText(options.Country, kValueX, false, false, kOptionRowY[kCountryRow]);
  text.DrawText(std::string(kCountryField, '_'), kValueX, false, false, kOptionRowY[kCountryRow]);
}

// Left and Right choose the value on that side of the selected row (В ОКНЕ / ПОЛНЫЙ ЭКРАН,
// ВКЛ. / ВЫКЛ.), as choosing the row would switch it; the other rows have no sides.
void TOptionsScreen::ChooseSide(bool left) {
  const persist::TGameOptions& options = host_.Settings().options;
  std::optional<bool> leftInForce;
  if (menu_.Item == kModeRow) leftInForce = !options.FullScreen;
  if (menu_.Item == kMusicRow) leftInForce = options.Music;
  if (menu_.Item == kSoundsRow) leftInForce = options.Sounds;
  if (leftInForce && *leftInForce != left) host_.Screens().ActivateCurrent();
}

void TOptionsScreen::Activate(int item) {
  persist::TGameOptions& options = host_.Settings().options;
  switch (item) {
    case kModeRow:
      options.FullScreen = !options.FullScreen;
      host_.ApplyDisplayMode();
      break;
    case kMusicRow:
      options.Music = !options.Music;
      host_.StopSong();
      host_.StartScreenMusic();
      break;
    case kSoundsRow:
      options.Sounds = !options.Sounds;
      break;
    case kBossKeyRow:
      ToggleBossCapture();
      break;
    case kCountryRow:
      ToggleCountryEdit();
      break;
    case kBackRow:
      host_.Screens().Replace(std::make_unique<TMainMenu>(host_, 0, TMainMenu::kOptions, false));
      break;
    default:
      break;
  }
}

bool TOptionsScreen::Typed(int key) {
  if (countryEdit_)
    TypeInto(host_.Text(), host_.Settings().options.Country, key, kPlain, kWidestCountry);
  return countryEdit_;
}

bool TOptionsScreen::KeyCaught(int key, int shift, bool down) {
  if (!bossCapture_) return false;
  CatchBossKey(key, shift, down);
  return true;
}

void TOptionsScreen::EndRowChanges() {
  if (bossCapture_) ToggleBossCapture();
  if (countryEdit_) ToggleCountryEdit();
}

// Moving off the boss-key or the country row ends its capture or its editing.
void TOptionsScreen::EndRowChangesOffTheRow() {
  if (bossCapture_ && menu_.Item != kBossKeyRow) ToggleBossCapture();
  if (countryEdit_ && menu_.Item != kCountryRow) ToggleCountryEdit();
}

// Editing that begins on the default country begins on an empty field; one that ends empty
// gives the default back.
void TOptionsScreen::ToggleCountryEdit() {
  std::string& country = host_.Settings().options.Country;
  countryEdit_ = !countryEdit_;
  if (countryEdit_ && country == persist::kDefaultCountry) country.clear();
  if (!countryEdit_ && country.empty()) country = persist::kDefaultCountry;
  if (cursor_) cursor_->Blinking = !cursor_->Blinking;
}

void TOptionsScreen::ToggleBossCapture() {
  const persist::TSettingsRef settings = host_.Settings();
  if (!bossCapture_) {
    savedBossShift_ = settings.bossShift;
    savedBossKey_ = settings.bossKey;
    settings.bossShift = 0;
    settings.bossKey = 0;
  } else if (settings.bossKey == 0) {
    settings.bossShift = savedBossShift_;
    settings.bossKey = savedBossKey_;
  }
  bossCapture_ = !bossCapture_;
}

// Catching a new boss key: the modifier held (Alt before Ctrl before Shift) and a function
// key, which ends the capture.
void TOptionsScreen::CatchBossKey(int key, int shift, bool down) {
  const persist::TSettingsRef settings = host_.Settings();
  if (shift & platform::kShiftAlt) {
    settings.bossShift = platform::kShiftAlt;
  } else if (shift & platform::kShiftCtrl) {
    settings.bossShift = platform::kShiftCtrl;
  } else if (shift & platform::kShiftShift) {
    settings.bossShift = platform::kShiftShift;
  } else {
    settings.bossShift = 0;
  }
  const bool functionKey = key >= platform::vk::kF1 && key <= platform::vk::kF12;
  if (down) {
    settings.bossKey = functionKey ? static_cast<uint16_t>(key) : 0;
    if (settings.bossKey != 0) ToggleBossCapture();
  } else if (functionKey) {
    settings.bossKey = 0;
  }
}

std::string TOptionsScreen::BossKeyName() const {
  const persist::TSettingsRef settings = host_.Settings();
  std::string name;
  if (settings.bossShift & platform::kShiftAlt) {
    name = "ALT+";
  } else if (settings.bossShift & platform::kShiftCtrl) {
    name = "CTRL+";
  } else if (settings.bossShift & platform::kShiftShift) {
    name = "SHIFT+";
  }
  if (settings.bossKey >= platform::vk::kF1 && settings.bossKey <= platform::vk::kF12)
    name += "F" + std::to_string(settings.bossKey - platform::vk::kF1 + 1);
  if (name.empty()) return "?";
  if (name.back() == '+') name += "?";
  return name;
}
