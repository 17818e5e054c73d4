#include "screens/menu_list.h"

#include "objects/menu_button.h"

bool TMenuList::Highlight() {
  for (int i = First; i <= Last; ++i) {
    if (i == Item || !Buttons[i]) continue;
    Buttons[i]->ShowInactive();
    Buttons[i]->Highlighted = false;
  }
  if (Item == 0 || !Buttons[Item] || Buttons[Item]->Highlighted) return false;
  Buttons[Item]->ShowActive();
  Buttons[Item]->Highlighted = true;
  return true;
}

int TMenuList::ButtonAt(int x, int y) const {
  for (int i = First; i <= Last; ++i) {
    const TMenuButton* b = Buttons[i];
    if (!b) continue;
    if (x >= b->X && x <= b->X + b->Width && y >= b->Y && y <= b->Y + b->Height) return i;
  }
  return 0;
}

void TMenuList::Hover(int x, int y) {
  if (const int item = ButtonAt(x, y)) Item = item;
}

void TMenuList::RemoveButtons() {
  for (int i = First; i <= Last; ++i) {
    if (!Buttons[i]) continue;
    Buttons[i]->Kill();
    Buttons[i] = nullptr;
  }
}
