#include "screens/game_screen.h"

#include <memory>

#include "gameplay/game.h"
#include "objects/scroll_background.h"
#include "screens/pause_window.h"
#include "screens/screen_host.h"
#include "screens/screen_stack.h"
#include "screens/screen_types.h"

namespace {

constexpr uint8_t kGameImageList = 2;
constexpr int kGameSkySpeed = -1;

}  // namespace

uint8_t TGameScreen::Number() const {
  return kScreenGame;
}

// ShowGameScreen: a game begins.
void TGameScreen::Enter() {
  host_.StartScreenMusic();
  host_.HideMouseCursor();
  host_.Sky()->SetImageFrom("SkyTile", kGameImageList);
  host_.Sky()->SpeedX = kGameSkySpeed;
}

void TGameScreen::Step(int lag) {
  host_.Game().GameStep(lag);
}

// A game left for another window, the boss key or a switch of the display waits paused:
// coming back does not drop the player into the middle of the action.
void TGameScreen::Interrupted() {
  host_.Screens().Push(std::make_unique<TPauseWindow>(host_));
}

// While a window stands over the game, the panel's numbers are written each frame of it.
void TGameScreen::StepUnderWindow() {
  host_.Game().DrawHud();
}
