#include "app/form.h"
#include "app/key_table.h"
#include "platform/platform.h"
#include "platform/vk_codes.h"

// The controls of the frame. A game controller's Start is P and its Back is Escape; its south
// button fires in a running game and confirms everywhere else, as Enter does.
void TMForm::ReadInput() {
  MDXInput.Update();
  const engine::TDXInputStates& states = MDXInput.KeyState;
  const engine::TGameController& pad = MDXInput.Controller;
  Controls.Up.Read(states.test(engine::ksUp));
  Controls.Down.Read(states.test(engine::ksDown));
  Controls.Left.Read(states.test(engine::ksLeft));
  Controls.Right.Read(states.test(engine::ksRight));
  Controls.Pause.Read(states.test(key_table::kPause) || pad.Start);
  Controls.Yes.Read(states.test(key_table::kYes));
  Controls.No.Read(states.test(key_table::kNo));
  Controls.Back.Read(states.test(key_table::kEscape) || pad.Back);
  Controls.Confirm.Read(pad.South);
  Controls.Fire.Read(FireHeld());
  screens_.ChoosersLetGo();
  if (Controls.Confirm.Pressed && !screens_.Playing() && screens_.PadMayChoose())
    screens_.Activate(screens_.MenuItem());
}

// Space and Ctrl are held as their key messages say; Enter fires too (its state in the key
// table, as the arrows').
bool TMForm::FireHeld() const {
  return SpaceHeld || CtrlHeld || MDXInput.KeyState.test(key_table::kEnter) || MouseHeld ||
         MDXInput.Controller.South;
}

// A key the screen catches (a boss key being chosen) is not the boss key.
void TMForm::FormKeyDown(int key, int shift) {
  if (!screens_.KeyCaught(key, shift, true) && shift == BossShift && key == BossKey) BossHide();
  if (key == platform::vk::kControl) CtrlHeld = true;
  if (key == platform::vk::kSpace) SpaceHeld = true;
  if (key == platform::vk::kReturn) EnterHeld = true;
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
  if (key == platform::vk::kReturn) EnterHeld = false;
  screens_.ChoosersLetGo();
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
