#include "app/form.h"
#include "platform/platform.h"
#include "platform/vk_codes.h"

namespace {

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
  // A game controller's Start is P and its Back is Escape.
  const engine::TGameController& pad = MDXInput.Controller;
  for (const TEdge& edge : kEdges) {
    const bool down = MDXInput.KeyState.test(edge.state) ||
                      (pad.Start && edge.flag == &TKeyFlags::PausePressed) ||
                      (pad.Back && edge.flag == &TKeyFlags::EscPressed);
    Keys.*edge.flag = down && !(KeysWereDown.*edge.flag);
    KeysWereDown.*edge.flag = down;
  }
  const bool southPressed = pad.South && !SouthWasDown;
  SouthWasDown = pad.South;
  // The south button fires in a running game and acts as Enter everywhere else.
  if (southPressed && !screens_.Playing()) screens_.Activate(screens_.MenuItem());
}

// A key the screen catches (a boss key being chosen) is not the boss key.
void TMForm::FormKeyDown(int key, int shift) {
  if (!screens_.KeyCaught(key, shift, true) && shift == BossShift && key == BossKey) BossHide();
  if (key == platform::vk::kControl) CtrlHeld = true;
  if (key == platform::vk::kSpace) SpaceHeld = true;
  if ((shift & platform::kShiftAlt) && key == platform::vk::kReturn) {
    Options.FullScreen = !Options.FullScreen;
    screens_.Interrupt();
    ApplyDisplayMode();
  }
}

void TMForm::FormKeyUp(int key, int shift) {
  screens_.KeyCaught(key, shift, false);
  if (key == platform::vk::kControl) CtrlHeld = false;
  if (key == platform::vk::kSpace) SpaceHeld = false;
}

// The boss key hides the game at once: no music, a paused game, a minimised window. The
// window manager minimises the window some time later, and a frame run meanwhile would count
// as the first frame back and start the music again; so the game stops its timer itself and
// runs again only when it is activated anew.
void TMForm::BossHide() {
  StopSong();
  screens_.Interrupt();
  MusicPending = true;
  Platform().Minimize();
  MDXTimer.AppDeactivated();
  BossHidden = true;
}

// A window manager that does not minimise leaves the window active and in front: the
// player's next key or button press there wakes the game.
void TMForm::WakeFromBossHide() {
  if (!BossHidden || !Platform().AppActive()) return;
  BossHidden = false;
  MDXTimer.AppActivated();
}

void TMForm::MDXDrawMouseMove(int, int x, int y) {
  MouseX = x;
  MouseY = y;
  screens_.PointerMoved();
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

void TMForm::FormKeyPress(int key) {
  screens_.Typed(key);
}

void TMForm::MDXDrawClick() {
  screens_.Click();
}

void TMForm::MDXDrawDblClick() {
  screens_.DoubleClick();
}
