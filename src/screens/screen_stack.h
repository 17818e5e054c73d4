#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "screens/controls.h"
#include "screens/screen.h"

class TMenuList;
class TScreenHost;

// What a click acted on, in the numbers the trace knows the screens by: the double click that
// follows it acts only on the same, so that it never answers a question the player has not
// seen (the score sent, the records cleared).
struct TClickTarget {
  uint8_t Screen = 0;
  uint8_t Window = 0;
  int Item = 0;
  bool operator==(const TClickTarget&) const = default;
};

// The screen and the window over it. A window is pushed over the screen it freezes, and the
// screen keeps its own state meanwhile. The stack hands each frame and each input to the one
// on top; the program asks it which screen and window stand, as numbers.
//
// A screen may replace itself or close its window from inside its own call (a button that
// leaves the screen): what leaves the stack is kept until the next frame begins.
class TScreenStack {
 public:
  explicit TScreenStack(TScreenHost& host) : host_(host) {}
  ~TScreenStack();
  TScreenStack(const TScreenStack&) = delete;
  TScreenStack& operator=(const TScreenStack&) = delete;

  // The standing screen is left, then the new one entered (none: no screen stands). A window
  // over it stays.
  void Replace(std::unique_ptr<TScreen> screen);
  // A window over the screen; refused, and false, while another window stands. A control that
  // chooses and is held as the window opens (fire held through the game's end) does not answer
  // it until it has been let go: not by its typed repeats, nor by the pad.
  bool Push(std::unique_ptr<TScreen> window);
  // The window goes; the screen below it is as it was.
  void Pop();

  TScreen* Base() const { return base_.get(); }
  TScreen* Window() const { return window_.get(); }
  TScreen* Top() const { return window_ ? window_.get() : base_.get(); }
  // The game is the screen, with or without a window over it.
  bool InGame() const { return base_ && base_->IsGame(); }
  // The game runs with no window over it: its keys fire and steer rather than choose.
  bool Playing() const { return !window_ && InGame(); }

  // The numbers the trace records: the screen's type, the window's kind (0: none) and the
  // selection, which stays what it was when no screen stands.
  uint8_t ScreenType() const { return base_ ? base_->Number() : 0; }
  uint8_t WindowOpen() const { return window_ ? window_->Number() : 0; }
  int MenuItem() const;
  // The buttons that take the player's choices: the window's, or where it has none, the
  // screen's; null when no screen stands.
  TMenuList* ActiveMenu() const;

  // One frame of the one on top. A window's frame: a question's answer by key, then the texts
  // and the step of whichever window is open after it, then the screen below's part (the
  // game's panel); so a window answered by key never leaves a frame without what follows it.
  void Step(int lag);
  // The screen below a window, when its texts stay drawn under the window.
  TScreen* TextsUnderWindow() const;
  // The selected button is chosen (ActivateItem: the given one is selected first).
  void Activate(int item);
  void ActivateCurrent();
  // Enter chooses the selected button everywhere; Space does too unless the screen takes it.
  void Typed(int key);
  // A control that chooses may have been let go: it answers the window again once pressed.
  void ChoosersLetGo();
  // Whether the pad's south button may choose in the window standing.
  bool PadMayChoose() const { return !(window_ && heldAtOpen_.Pad); }
  bool KeyCaught(int key, int shift, bool down);
  // The pointer moved: the button under it is selected, with its sound.
  void PointerMoved();
  // A click chooses the button under the pointer, and a double click the same once more.
  void Click();
  void DoubleClick();
  // The player was taken away from the screen (the game pauses).
  void Interrupt();
  bool ChangingSettings() const { return base_ && base_->ChangingSettings(); }
  void SettleSettings();

  std::optional<TClickTarget> LastClick;

 private:
  int ButtonUnderPointer() const;
  TClickTarget ClickTarget() const;
  void ActivateUnderPointer();
  void Retire(std::unique_ptr<TScreen> screen);

  TScreenHost& host_;
  std::unique_ptr<TScreen> base_;
  std::unique_ptr<TScreen> window_;
  int itemLeft_ = 0;          // the selection as the last screen left it
  TChoosersHeld heldAtOpen_;  // held as the window opened and not let go since
  std::vector<std::unique_ptr<TScreen>> retired_;
};
