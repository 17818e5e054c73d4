#include "app/form.h"
#include "engine/input_states.h"
#include "screens/game_screen.h"
#include "screens/windows_by_kind.h"

// The form as the shell of the running game: what the game asks of the program around it.

void TMForm::ShowGameScreen() {
  screens_.Replace(std::make_unique<TGameScreen>(host_));
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
