#pragma once

#include <string>

namespace gameplay {

// The pilot's controls as the game reads them once a frame.
struct TPilotInput {
  bool Fire = false;
  bool Left = false;
  bool Right = false;
  bool Up = false;
  bool Down = false;
};

// What the running game asks of the program around it: the screen it runs on, its windows,
// sounds and texts, and the player's keys. The program's main form answers.
class TGameShell {
 public:
  virtual ~TGameShell() = default;

  // A game begins: the game's screen with its music and sky, no menu, the pointer hidden.
  virtual void ShowGameScreen() = 0;
  // The game is gone; no screen is current until the shell shows one.
  virtual void LeaveGameScreen() = 0;
  // The level every new game starts at.
  virtual int FirstLevel() const = 0;

  virtual void OpenWindow(int kind) = 0;
  // pan: where it is heard, −1 all left, 0 centre, 1 all right.
  virtual void PlayEffect(const std::string& name, float pan) = 0;
  // A panel number, centred on x and y, in one of the shell's text styles.
  virtual void DrawHudText(const std::string& text, int style, int x, int y) = 0;

  virtual TPilotInput PilotInput() = 0;
  // Escape and the pause key, pressed this frame.
  virtual bool QuitPressed() = 0;
  virtual bool PausePressed() = 0;
};

}  // namespace gameplay
