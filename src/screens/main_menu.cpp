#include "screens/main_menu.h"

#include <memory>
#include <string>

#include "engine/sprite_engine.h"
#include "gameplay/game.h"
#include "objects/menu_button.h"
#include "objects/value_steps.h"
#include "screens/controls.h"
#include "screens/help_screen.h"
#include "screens/menu_backdrop.h"
#include "screens/options_screen.h"
#include "screens/questions.h"
#include "screens/records_screen.h"
#include "screens/screen_host.h"
#include "screens/screen_layout.h"
#include "screens/screen_stack.h"
#include "screens/screen_types.h"

namespace {

constexpr int kMainMenuFirst = TMainMenu::kNewGame;
constexpr int kMainMenuLast = TMainMenu::kQuit;
constexpr uint8_t kMenuList = 1;
constexpr int kButtonY[kMainMenuLast + 1] = {0, 150, 200, 252, 304, 352, 400};
constexpr int kButtonDepth = 4;
// The fade-in: each button gains this much alpha a frame, and the next one starts when the
// one above it has reached kNextButtonAlpha.
constexpr int kFadeStep = 10;
constexpr int kNextButtonAlpha = 80;
constexpr int kOpaque = 255;
constexpr const char* kMoreGamesLink = "moregames.url";

}  // namespace

uint8_t TMainMenu::Number() const {
  return kScreenMainMenu;
}

// ShowMainMenu.
void TMainMenu::Enter() {
  ShowMenuBackdrop(host_, startMusic_);
  menu_.First = kMainMenuFirst;
  menu_.Last = kMainMenuLast;
  for (int i = kMainMenuFirst; i <= kMainMenuLast; ++i) {
    const std::string name = "MM_" + std::to_string(i);
    auto* button =
        new TMenuButton(host_.Game(), kMenuList, name + "_A", name + "_I", 0, 0,
                        screen_layout::kMainButtonX, kButtonY[i]);  // owned by the sprite tree
    button->SetZ(kButtonDepth);
    if (introStep_ == 1) {
      button->Blended = true;
      button->Alpha = 0;
    }
    menu_.Buttons[i] = button;
  }
}

void TMainMenu::Leave() {
  menu_.RemoveButtons();
}

// One frame of the buttons' fade-in; it counts frames, not milliseconds.
void TMainMenu::StepIntro() {
  auto& buttons = menu_.Buttons;
  if (introStep_ == 1) introStep_ = 2;
  for (int i = 1; i <= introStep_ - 1; ++i)
    if (buttons[i]->Alpha < kOpaque) buttons[i]->Alpha += kFadeStep;
  if (buttons[introStep_ - 1]->Alpha >= kNextButtonAlpha && introStep_ < kMainMenuLast + 1)
    ++introStep_;
  if (introStep_ == kMainMenuLast + 1 && buttons[kMainMenuLast]->Alpha >= kOpaque) introStep_ = 0;
}

void TMainMenu::Step(int lag) {
  if (introStep_ != 0) {
    StepIntro();
  } else {
    menu_.Highlight();
    const TControls& controls = host_.Controls();
    if (controls.Up.Pressed) objects::StepPrevWrap(menu_.Item, menu_.First, menu_.Last);
    if (controls.Down.Pressed) objects::StepNextWrap(menu_.Item, menu_.First, menu_.Last);
    if (controls.Back.Pressed) host_.Screens().Push(MakeQuitGameQuestion(host_));
  }
  host_.Sprites().StepAll(lag);
}

void TMainMenu::Activate(int item) {
  TScreenStack& screens = host_.Screens();
  switch (item) {
    case kNewGame:
      host_.BeginGame();
      break;
    case kOptions:
      screens.Replace(std::make_unique<TOptionsScreen>(host_));
      break;
    case kRecords:
      screens.Replace(std::make_unique<TRecordsScreen>(host_));
      break;
    case kHelp:
      screens.Replace(std::make_unique<THelpScreen>(host_));
      break;
    case kMoreGames:
      host_.OpenLink(kMoreGamesLink);
      break;
    case kQuit:
      screens.Push(MakeQuitGameQuestion(host_));
      break;
    default:
      break;
  }
}
