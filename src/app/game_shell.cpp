#include "app/form.h"
#include "app/form_screen.h"
#include "engine/input_states.h"
#include "objects/scroll_background.h"
#include "screens/windows_by_kind.h"

// The form as the shell of the running game: what the game asks of the program around it.

namespace {

constexpr uint8_t kGameImageList = 2;
constexpr int kGameSkySpeed = -1;

}  // namespace

void TMForm::ShowGameScreen() {
  screens_.Replace(std::make_unique<TFormScreen>(*this, kScreenGame));
  StartScreenMusic();
  HideMouseCursor();
  Sky->SetImageFrom("SkyTile", kGameImageList);
  Sky->SpeedX = kGameSkySpeed;
}

void TMForm::LeaveMainMenu() {
  screens_.Replace(nullptr);
}

void TMForm::LeaveGameScreen() {
  screens_.Replace(nullptr);
  EndGameRecording(persist::TReplayEnding::GameOver);
}

void TMForm::DrawHudText(const std::string& text, int style, int x, int y) {
  Text.SetTextStyle(style);
  Text.DrawText(text, x, true, true, y);
}

void TMForm::OpenWindow(int kind) {
  if (std::unique_ptr<TScreen> window = MakeWindow(host_, kind)) screens_.Push(std::move(window));
}

gameplay::TPilotInput TMForm::PilotInput() {
  const engine::TDXInputStates& states = MDXInput.KeyState;
  // Enter fires too (its state in the key table, as the arrows').
  const bool enterHeld = states.test(engine::ksButton(11));
  return {.Fire = SpaceHeld || CtrlHeld || enterHeld || MouseHeld || MDXInput.Controller.South,
          .Left = states.test(engine::ksLeft),
          .Right = states.test(engine::ksRight),
          .Up = states.test(engine::ksUp),
          .Down = states.test(engine::ksDown)};
}
