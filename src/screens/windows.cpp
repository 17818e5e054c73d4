#include "app/form.h"

// Windows keep the screen's selection while they are open and give it back when they close.
// Their backdrops, buttons, texts and timers join here with the menus.
void TMForm::OpenWindow(int kind) {
  if (WindowOpen != 0) return;
  WindowOpen = static_cast<uint8_t>(kind);
  SavedMenuItem = MenuItem;
  SavedMenuFirst = MenuFirst;
  SavedMenuLast = MenuLast;
}

void TMForm::CloseWindow() {
  MenuItem = SavedMenuItem;
  MenuFirst = SavedMenuFirst;
  MenuLast = SavedMenuLast;
  WindowOpen = 0;
}

void TMForm::UpdateWindow(int) {}
