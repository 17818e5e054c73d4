#include "app/form.h"
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
  return {.Fire = Controls.Fire.Held,
          .Left = Controls.Left.Held,
          .Right = Controls.Right.Held,
          .Up = Controls.Up.Held,
          .Down = Controls.Down.Held};
}
