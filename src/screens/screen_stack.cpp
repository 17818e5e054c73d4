#include "screens/screen_stack.h"

#include "screens/menu_list.h"
#include "screens/screen_host.h"

namespace {

constexpr int kEnter = 13;
constexpr int kBlank = 32;

}  // namespace

TScreenStack::~TScreenStack() = default;

void TScreenStack::Replace(std::unique_ptr<TScreen> screen) {
  if (base_) {
    base_->Leave();
    itemLeft_ = MenuItem();
    Retire(std::move(base_));
  }
  base_ = std::move(screen);
  if (base_) base_->Enter();
}

bool TScreenStack::Push(std::unique_ptr<TScreen> window) {
  if (window_) return false;
  heldAtOpen_ = host_.ChoosersHeld();
  window_ = std::move(window);
  window_->Enter();
  if (base_) base_->Covered();
  return true;
}

void TScreenStack::Pop() {
  if (!window_) return;
  window_->Leave();
  Retire(std::move(window_));
}

void TScreenStack::Retire(std::unique_ptr<TScreen> screen) {
  retired_.push_back(std::move(screen));
}

int TScreenStack::MenuItem() const {
  const TMenuList* menu = ActiveMenu();
  return menu ? menu->Item : itemLeft_;
}

TMenuList* TScreenStack::ActiveMenu() const {
  if (window_) {
    if (TMenuList* menu = window_->Menu()) return menu;
  }
  return base_ ? base_->Menu() : nullptr;
}

void TScreenStack::Step(int lag) {
  retired_.clear();  // nothing of an earlier frame is running now
  if (!window_) {
    if (base_) base_->Step(lag);
    return;
  }
  window_->Answer(lag);
  if (window_) {
    window_->DrawTexts();
    window_->Step(lag);
  }
  if (base_) base_->StepUnderWindow();
}

TScreen* TScreenStack::TextsUnderWindow() const {
  return window_ && base_ && base_->KeepsTextsUnderWindows() ? base_.get() : nullptr;
}

void TScreenStack::Activate(int item) {
  if (TMenuList* menu = ActiveMenu()) {
    menu->Item = item;
  } else {
    itemLeft_ = item;
  }
  ActivateCurrent();
}

// The running game's choices make no sound: its buttons are the windows'.
void TScreenStack::ActivateCurrent() {
  if (!Playing()) host_.PlayEffect("Button");
  if (TScreen* top = Top()) top->Activate(MenuItem());
}

void TScreenStack::Typed(int key) {
  TScreen* top = Top();
  const bool taken = top && top->Typed(key);
  const bool repeated =
      window_ && ((key == kEnter && heldAtOpen_.Enter) || (key == kBlank && heldAtOpen_.Space));
  if (repeated) return;
  if (key == kEnter || (key == kBlank && !taken)) Activate(MenuItem());
}

void TScreenStack::ChoosersLetGo() {
  const TChoosersHeld held = host_.ChoosersHeld();
  heldAtOpen_.Enter &= held.Enter;
  heldAtOpen_.Space &= held.Space;
  heldAtOpen_.Pad &= held.Pad;
}

bool TScreenStack::KeyCaught(int key, int shift, bool down) {
  TScreen* top = Top();
  return top && top->KeyCaught(key, shift, down);
}

// Over the main menu's fade-in the selection moves silently.
void TScreenStack::PointerMoved() {
  TMenuList* menu = ActiveMenu();
  if (!menu) return;
  const int before = menu->Item;
  const platform::TPoint pointer = host_.Pointer();
  menu->Hover(pointer.x, pointer.y);
  const bool fadingIn = base_ && base_->FadingIn();
  if (menu->Item != before && !fadingIn) host_.PlayEffect("Button");
}

int TScreenStack::ButtonUnderPointer() const {
  const TMenuList* menu = ActiveMenu();
  if (!menu) return 0;
  const platform::TPoint pointer = host_.Pointer();
  return menu->ButtonAt(pointer.x, pointer.y);
}

TClickTarget TScreenStack::ClickTarget() const {
  return {ScreenType(), WindowOpen(), ButtonUnderPointer()};
}

// A click chooses the button under the pointer and nothing else: a click on the sky, on a
// text or beside a button does nothing. A window without buttons that a click answers takes
// it anywhere.
void TScreenStack::ActivateUnderPointer() {
  if (window_ && window_->ClickAnywhereChooses()) {
    ActivateCurrent();
    return;
  }
  if (const int item = ButtonUnderPointer()) Activate(item);
}

void TScreenStack::Click() {
  LastClick = ClickTarget();
  ActivateUnderPointer();
}

// A double click acts again, but only on what its first click acted on: when that click
// opened or closed a window or changed the screen, the second would answer a question the
// player has not seen.
void TScreenStack::DoubleClick() {
  const bool same = LastClick == ClickTarget();
  LastClick.reset();
  if (same) ActivateUnderPointer();
}

void TScreenStack::Interrupt() {
  if (base_) base_->Interrupted();
}

void TScreenStack::SettleSettings() {
  if (base_) base_->SettleSettings();
}
