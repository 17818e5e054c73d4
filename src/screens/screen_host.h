#pragma once

#include <string>

#include "persist/high_scores.h"
#include "persist/options_file.h"
#include "platform/platform.h"

namespace engine {
class TDXSpriteEngine;
}
namespace gameplay {
class TGame;
}

class TScreenStack;
class TScrollBackground;
class TScreenText;
struct TChoosersHeld;
struct TControls;

// What a screen or a window may ask of the program around it, and nothing more: the program's
// main form answers. A screen is handed its host when it is made.
class TScreenHost {
 public:
  virtual ~TScreenHost() = default;

  // The screens: a screen replaces itself, opens and closes windows.
  virtual TScreenStack& Screens() = 0;
  // The game, which is also the world every sprite of the program is made in.
  virtual gameplay::TGame& Game() = 0;
  virtual engine::TDXSpriteEngine& Sprites() = 0;

  // This frame's controls, the pointer, and the system pointer shown or hidden.
  virtual const TControls& Controls() const = 0;
  virtual TChoosersHeld ChoosersHeld() const = 0;
  virtual platform::TPoint Pointer() const = 0;
  virtual void ShowMouseCursor() = 0;
  virtual void HideMouseCursor() = 0;

  // Texts in the screens' styles, and the band behind every screen (null once the program
  // has let it go, on its way out).
  virtual TScreenText& Text() = 0;
  virtual TScrollBackground*& Sky() = 0;

  // Effects (centred) and the screen's music.
  virtual void PlayEffect(const std::string& name) = 0;
  virtual void StartScreenMusic() = 0;
  virtual void StopSong() = 0;

  // What the player set, the table, and the display mode the options ask for.
  virtual persist::TSettingsRef Settings() = 0;
  virtual persist::THighScoreTable& HighScores() = 0;
  virtual void ApplyDisplayMode() = 0;

  // An Internet-shortcut file beside the game, opened in the browser.
  virtual void OpenLink(const std::string& file) = 0;
  // The orderly exit: the saves written, the program ending (an error when a save failed).
  virtual void SaveAndExit() = 0;

  // A new game from the main menu, recorded from its start.
  virtual void BeginGame() = 0;
  // The name the player gives the table (kept for the next entry of the run), and its entry.
  virtual std::string& PlayerName() = 0;
  virtual void NameEntered() = 0;
  // The world-records server: whether one is set, its address, and sending the result.
  virtual bool HasScoreServer() const = 0;
  virtual const std::string& ScoreServer() const = 0;
  virtual void SubmitScore() = 0;
};
