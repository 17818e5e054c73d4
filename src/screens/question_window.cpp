#include "screens/question_window.h"

#include "gameplay/game.h"
#include "objects/kill_and_forget.h"
#include "objects/menu_button.h"
#include "objects/value_steps.h"
#include "screens/controls.h"
#include "screens/screen_host.h"
#include "screens/screen_layout.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"

namespace {

constexpr uint8_t kMenuList = 1;
using screen_layout::kAnswerY;
using screen_layout::kNoX;
using screen_layout::kYesX;
// The lines stand around the middle line's height, this far apart.
constexpr int kMiddleY = 286;
constexpr int kLineStep = 30;

}  // namespace

TQuestionWindow::TQuestionWindow(TScreenHost& host, uint8_t kind, TWording wording, TAnswer yes,
                                 TAnswer no)
    : TWindow(host, kind, true),
      wording_(std::move(wording)),
      yes_(std::move(yes)),
      no_(std::move(no)) {}

void TQuestionWindow::Enter() {
  TWindow::Enter();
  host_.ShowMouseCursor();
  menu_.First = kYes;
  menu_.Last = kNo;
  menu_.Item = wording_.yesSelected ? kYes : kNo;
  menu_.Buttons[kYes] =
      new TMenuButton(host_.Game(), kMenuList, "Yes", "Yes", 0, 1, kYesX, kAnswerY);
  menu_.Buttons[kNo] = new TMenuButton(host_.Game(), kMenuList, "No", "No", 0, 1, kNoX, kAnswerY);
  menu_.Buttons[kYes]->SetZ(kDepth + 1);
  menu_.Buttons[kNo]->SetZ(kDepth + 1);
}

// The pointer shown for the question goes again over the game.
void TQuestionWindow::Leave() {
  TWindow::Leave();
  if (host_.Screens().InGame()) host_.HideMouseCursor();
  KillAndForget(menu_.Buttons[kYes]);
  KillAndForget(menu_.Buttons[kNo]);
}

// Only the buttons move: whatever stands behind the window is frozen.
void TQuestionWindow::Answer(int lag) {
  menu_.Buttons[kYes]->Step(lag);
  menu_.Buttons[kNo]->Step(lag);
  menu_.Highlight();
  const TControls& controls = host_.Controls();
  if (controls.Yes.Pressed) {
    host_.Screens().Activate(kYes);
  } else if (controls.No.Pressed || controls.Back.Pressed) {
    host_.Screens().Activate(kNo);
  } else if (controls.Left.Pressed) {
    objects::ClampToFirst(menu_.Item, menu_.First, menu_.Last);
    objects::StepDown(menu_.Item, menu_.First, 1);
  } else if (controls.Right.Pressed) {
    objects::ClampToLast(menu_.Item, menu_.First, menu_.Last);
    objects::StepUp(menu_.Item, menu_.Last, 1);
  }
}

void TQuestionWindow::DrawTexts() {
  const int lines = static_cast<int>(wording_.lines.size());
  for (int i = 0; i < lines; ++i)
    DrawCentred(wording_.style, host_.Text().Cp1251(wording_.lines[i]),
                kMiddleY + kLineStep * (2 * i - (lines - 1)) / 2);
}

void TQuestionWindow::Activate(int item) {
  if (item != kYes && item != kNo) return;
  host_.Screens().Pop();
  const TAnswer& answer = item == kYes ? yes_ : no_;
  if (answer) answer();
}
