#include "app/form.h"
#include "platform/platform.h"
#include "platform/vk_codes.h"

namespace {

constexpr uint8_t kWindowPause = 5;

// The edge flags and the logical states they follow, in the order they are derived.
struct TEdge {
  bool TKeyFlags::*flag;
  int state;
};
constexpr TEdge kEdges[] = {
    {&TKeyFlags::UpPressed, engine::ksUp},           {&TKeyFlags::DownPressed, engine::ksDown},
    {&TKeyFlags::LeftPressed, engine::ksLeft},       {&TKeyFlags::RightPressed, engine::ksRight},
    {&TKeyFlags::PausePressed, engine::ksButton(6)}, {&TKeyFlags::YesPressed, engine::ksButton(7)},
    {&TKeyFlags::NoPressed, engine::ksButton(8)},    {&TKeyFlags::EscPressed, engine::ksButton(9)},
};

}  // namespace

void TMForm::ReadInput() {
  MDXInput.Update();
  for (const TEdge& edge : kEdges) {
    const bool down = MDXInput.KeyState.test(edge.state);
    Keys.*edge.flag = down && !(KeysWereDown.*edge.flag);
    KeysWereDown.*edge.flag = down;
  }
}

void TMForm::FormKeyDown(int key, int shift) {
  if (BossCapture) {
    FormKeyBoss(key, shift, true);
  } else if (shift == BossShift && key == BossKey) {
    BossHide();
  }
  if (key == platform::vk::kControl) CtrlHeld = true;
  if (key == platform::vk::kSpace) SpaceHeld = true;
  if ((shift & platform::kShiftAlt) && key == platform::vk::kReturn) {
    Options.FullScreen = !Options.FullScreen;
    if (ScreenType == kScreenGame) OpenWindow(kWindowPause);
    ApplyDisplayMode();
  }
}

void TMForm::FormKeyUp(int key, int shift) {
  if (BossCapture) FormKeyBoss(key, shift, false);
  if (key == platform::vk::kControl) CtrlHeld = false;
  if (key == platform::vk::kSpace) SpaceHeld = false;
}

// The boss key hides the game at once: no music, a paused game, a minimised window.
void TMForm::BossHide() {
  StopSong();
  if (ScreenType == kScreenGame) OpenWindow(kWindowPause);
  MusicPending = true;
  Platform().Minimize();
}

void TMForm::MDXDrawMouseMove(int, int x, int y) {
  MouseX = x;
  MouseY = y;
  const int before = MenuItem;
  HoverSelect();
  const bool fadingIn = ScreenType == kScreenMainMenu && IntroStep != 0;
  if (MenuItem != before && !fadingIn) PlayEffect("Button");
}

void TMForm::MDXDrawMouseDown() {
  MouseHeld = true;
}

void TMForm::MDXDrawMouseUp() {
  MouseHeld = false;
}

// The system keeps a display count; these leave the pointer definitely shown or hidden
// however often either was called before.
void TMForm::ShowMouseCursor() {
  while (Platform().ShowCursor(true) < 0) {
  }
}

void TMForm::HideMouseCursor() {
  while (Platform().ShowCursor(false) >= 0) {
  }
}

// Typed characters and clicks go to the text being edited and the menu buttons; both join
// here with the menus.
void TMForm::FormKeyPress(int) {}
void TMForm::MDXDrawClick() {}

// Capturing a new boss key on the options screen: the modifier held (Alt before Ctrl before
// Shift) and a function key. The capture itself is started and ended by the options screen.
void TMForm::FormKeyBoss(int key, int shift, bool down) {
  if (shift & platform::kShiftAlt) {
    BossShift = platform::kShiftAlt;
  } else if (shift & platform::kShiftCtrl) {
    BossShift = platform::kShiftCtrl;
  } else if (shift & platform::kShiftShift) {
    BossShift = platform::kShiftShift;
  } else {
    BossShift = 0;
  }
  const bool functionKey = key >= platform::vk::kF1 && key <= platform::vk::kF12;
  if (down) {
    BossKey = functionKey ? static_cast<uint16_t>(key) : 0;
  } else if (functionKey) {
    BossKey = 0;
  }
}
