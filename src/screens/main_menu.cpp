#include "app/form.h"
#include "app/form_screen.h"
#include "objects/menu_button.h"
#include "objects/scroll_background.h"
#include "objects/value_steps.h"
#include "platform/links.h"
#include "screens/help_screen.h"
#include "screens/options_screen.h"
#include "screens/records_screen.h"

namespace {

constexpr int kMainMenuFirst = 1;
constexpr int kMainMenuLast = 6;
constexpr uint8_t kMenuList = 1;
constexpr int kButtonX = 498;
constexpr int kButtonY[kMainMenuLast + 1] = {0, 150, 200, 252, 304, 352, 400};
// The fade-in: each button gains this much alpha a frame, and the next one starts when the
// one above it has reached kNextButtonAlpha.
constexpr int kFadeStep = 10;
constexpr int kNextButtonAlpha = 80;
constexpr int kOpaque = 255;
constexpr const char* kMoreGamesLink = "moregames.url";

}  // namespace

void TMForm::ShowMainMenu(int intro, int item, bool startMusic) {
  screens_.Replace(std::make_unique<TFormScreen>(*this, kScreenMainMenu));
  if (startMusic) StartScreenMusic();
  ShowMouseCursor();
  Menu.First = kMainMenuFirst;
  Menu.Last = kMainMenuLast;
  Menu.Item = item;
  IntroStep = intro;
  Sky->SetImageFrom("MMB", kMenuList);
  Sky->SpeedX = 0;
  Sky->X = 0;
  Sky->Y = 0;
  for (int i = kMainMenuFirst; i <= kMainMenuLast; ++i) {
    const std::string name = "MM_" + std::to_string(i);
    auto* button = new TMenuButton(Game, kMenuList, name + "_A", name + "_I", 0, 0, kButtonX,
                                   kButtonY[i]);  // owned by the sprite tree
    button->SetZ(4);
    if (IntroStep == 1) {
      button->Blended = true;
      button->Alpha = 0;
    }
    Menu.Buttons[i] = button;
  }
}

// One frame of the buttons' fade-in; it counts frames, not milliseconds.
void TMForm::StepMainMenuIntro() {
  if (IntroStep == 1) IntroStep = 2;
  for (int i = 1; i <= IntroStep - 1; ++i)
    if (Menu.Buttons[i]->Alpha < kOpaque) Menu.Buttons[i]->Alpha += kFadeStep;
  if (Menu.Buttons[IntroStep - 1]->Alpha >= kNextButtonAlpha && IntroStep < kMainMenuLast + 1)
    ++IntroStep;
  if (IntroStep == kMainMenuLast + 1 && Menu.Buttons[kMainMenuLast]->Alpha >= kOpaque)
    IntroStep = 0;
}

void TMForm::UpdateMainMenu(int lag) {
  if (IntroStep != 0) {
    StepMainMenuIntro();
  } else {
    Menu.Highlight();
    if (Keys.UpPressed) objects::StepPrevWrap(Menu.Item, Menu.First, Menu.Last);
    if (Keys.DownPressed) objects::StepNextWrap(Menu.Item, Menu.First, Menu.Last);
    if (Keys.EscPressed) OpenWindow(kWindowQuitGame);
  }
  MDXSpriteEngine.StepAll(lag);
}

// No screen stands until the next is shown.
void TMForm::LeaveMainMenu() {
  screens_.Replace(nullptr);
}

void TMForm::ActivateMainMenu() {
  switch (Menu.Item) {
    case 2:
      screens_.Replace(std::make_unique<TOptionsScreen>(host_));
      break;
    case 3:
      screens_.Replace(std::make_unique<TRecordsScreen>(host_));
      break;
    case 4:
      screens_.Replace(std::make_unique<THelpScreen>(host_));
      break;
    case 5:
      platform::OpenLink(Platform(), kMoreGamesLink);
      break;
    case 6:
      OpenWindow(kWindowQuitGame);
      break;
    case 1:
      BeginGame();
      break;
    default:
      break;
  }
}
