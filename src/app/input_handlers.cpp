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
  if (southPressed && (ScreenType != kScreenGame || WindowOpen != 0)) ActivateItem(Menu.Item);
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

// The boss key hides the game at once: no music, a paused game, a minimised window. The
// window manager minimises the window some time later, and a frame run meanwhile would count
// as the first frame back and start the music again; so the game stops its timer itself and
// runs again only when it is activated anew.
void TMForm::BossHide() {
  StopSong();
  if (ScreenType == kScreenGame) OpenWindow(kWindowPause);
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
  const int before = Menu.Item;
  Menu.Hover(MouseX, MouseY);
  const bool fadingIn = ScreenType == kScreenMainMenu && IntroStep != 0;
  if (Menu.Item != before && !fadingIn) PlayEffect("Button");
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

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kBlank = 32;
constexpr int kFirstTypable = 48;
constexpr size_t kLongestTypedText = 12;
constexpr int kWidestCountry = 180;  // pixels in text style 4
constexpr int kWidestName = 240;     // pixels in text style 10

bool IsTypable(int c) {
  return c >= kFirstTypable || c == kBlank;
}

}  // namespace

// Typing into a text: Backspace takes the last character; a typable one is added while the
// text, measured before it, is no wider than the limit and shorter than twelve characters.
void TMForm::TypeInto(std::string& text, int key, int style, int widest) {
  if (key == kBackspace) {
    if (!text.empty()) text.pop_back();
    return;
  }
  if (!IsTypable(key) || TextWidthIn(text, style) > widest || text.size() >= kLongestTypedText)
    return;
  text += static_cast<char>(key);
}

// Enter chooses the selected button everywhere; Space does too, except where it types a blank
// (the name entry, the country being edited) or fires (a game with no window open).
void TMForm::FormKeyPress(int key) {
  const bool countryTyping = ScreenType == kScreenOptions && CountryEdit;
  const bool nameTyping = WindowOpen == kWindowNameEntry;
  if (countryTyping) TypeInto(Options.Country, key, 4, kWidestCountry);
  if (nameTyping) TypeInto(PlayerName, key, 10, kWidestName);
  const bool playing = ScreenType == kScreenGame && WindowOpen == 0;
  const bool spaceChooses = !countryTyping && !nameTyping && !playing;
  if (key == kEnter || (key == kBlank && spaceChooses)) ActivateItem(Menu.Item);
}

// A click chooses the button under the pointer and nothing else: a click on the sky, on a
// text or beside a button does nothing. The name entry has no buttons: a click anywhere
// confirms the name there.
void TMForm::ActivateUnderPointer() {
  if (WindowOpen == kWindowNameEntry) {
    ActivateCurrent();
    return;
  }
  const int item = Menu.ButtonAt(MouseX, MouseY);
  if (item == 0) return;
  ActivateItem(item);
}

void TMForm::MDXDrawClick() {
  LastClick = TClickTarget{ScreenType, WindowOpen, Menu.ButtonAt(MouseX, MouseY)};
  ActivateUnderPointer();
}

// A double click activates again, but only what its first click activated: when that click
// opened or closed a window or changed the screen, the second would answer a question the
// player has not seen (the score sent, the records cleared).
void TMForm::MDXDrawDblClick() {
  const bool same =
      LastClick == TClickTarget{ScreenType, WindowOpen, Menu.ButtonAt(MouseX, MouseY)};
  LastClick.reset();
  if (same) ActivateUnderPointer();
}

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
    if (BossKey != 0) ToggleBossCapture();
  } else if (functionKey) {
    BossKey = 0;
  }
}
