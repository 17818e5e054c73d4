#include "app/form.h"

namespace {
constexpr int kMainMenuFirst = 1;
constexpr int kMainMenuLast = 6;
}  // namespace

// Opens the main menu. Its background and six buttons with their fade-in join here with
// the sprites and the menu art.
void TMForm::ShowMainMenu(int intro, int item, bool startMusic) {
  (void)intro;
  ScreenType = kScreenMainMenu;
  if (startMusic) StartScreenMusic();
  ShowMouseCursor();
  MenuFirst = kMainMenuFirst;
  MenuLast = kMainMenuLast;
  MenuItem = item;
}
