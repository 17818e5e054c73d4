#include "app/form.h"
#include "objects/menu_button.h"

// The selected button shows its active look, every other selectable one its inactive look.
void TMForm::HighlightSelection() {
  for (int i = MenuFirst; i <= MenuLast; ++i) {
    if (i == MenuItem || !MenuButtons[i]) continue;
    MenuButtons[i]->ShowInactive();
    MenuButtons[i]->Highlighted = false;
  }
  if (MenuItem == 0 || !MenuButtons[MenuItem] || MenuButtons[MenuItem]->Highlighted) return;
  MenuButtons[MenuItem]->ShowActive();
  MenuButtons[MenuItem]->Highlighted = true;
  // On the options screen, moving off the boss-key or the country row ends its capture or
  // its editing.
  if (ScreenType != kScreenOptions) return;
  if (BossCapture && MenuItem != 4) ToggleBossCapture();
  if (CountryEdit && MenuItem != 5) ToggleCountryEdit();
}

// The first selectable button under the pointer, edges included; 0 when there is none.
int TMForm::ButtonUnderPointer() const {
  for (int i = MenuFirst; i <= MenuLast; ++i) {
    const TMenuButton* b = MenuButtons[i];
    if (!b) continue;
    if (MouseX >= b->X && MouseX <= b->X + b->Width && MouseY >= b->Y && MouseY <= b->Y + b->Height)
      return i;
  }
  return 0;
}

// The button under the pointer becomes the selection; elsewhere the selection stays.
void TMForm::HoverSelect() {
  if (const int item = ButtonUnderPointer()) MenuItem = item;
}

void TMForm::RemoveMenuButtons() {
  for (int i = MenuFirst; i <= MenuLast; ++i) {
    if (!MenuButtons[i]) continue;
    MenuButtons[i]->Kill();
    MenuButtons[i] = nullptr;  // the engine frees it after this frame's screen step
  }
}
