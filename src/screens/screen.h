#pragma once

#include <cstdint>

class TMenuList;

// The songs of the screens.
inline constexpr const char* kMenuMusic = "Data\\Music\\Menu.xm";
inline constexpr const char* kGameMusic = "Data\\Music\\Race.xm";

// A screen of the program (the main menu, the options, the records, the help, the game) or a
// window over one. The stack holds the screen and the window over it: the one on top takes
// each frame and the player's input, and the screen below a window keeps its own state
// (its selection among it) until the window has gone.
class TScreen {
 public:
  TScreen() = default;
  virtual ~TScreen() = default;
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  // The number the program's trace knows it by: the screen's type, or a window's kind.
  virtual uint8_t Number() const = 0;
  virtual bool IsWindow() const { return false; }
  // The running game, whose keys fire and steer rather than choose buttons.
  virtual bool IsGame() const { return false; }

  // Shown and left: the screen makes its sprites and ends them.
  virtual void Enter() {}
  virtual void Leave() {}
  // One frame of the screen on top.
  virtual void Step(int lag) = 0;
  // The texts it writes over its pictures each frame.
  virtual void DrawTexts() {}
  // A button chosen by its number (the selected one when the choice came by Enter, Space or the
  // pad); a screen without buttons is handed the selection beneath it.
  virtual void Activate(int /*item*/) {}
  // A character typed. True when the screen takes it as its own (typed into a text, or fire in
  // the game), so that Space does not also choose.
  virtual bool Typed(int /*key*/) { return false; }
  // A key going down or up, before the program hears it; true when the screen caught it.
  virtual bool KeyCaught(int /*key*/, int /*shift*/, bool /*down*/) { return false; }
  // Its buttons; null for a window that has none (the selection beneath it stays in force).
  virtual TMenuList* Menu() { return nullptr; }

  // What only some screens do. A question answers the keys of its frame before the window's
  // texts and step are run, so that whatever its answer leaves on top has the rest of the frame.
  virtual void Answer(int /*lag*/) {}
  // A window that a click anywhere answers (the name entry has no buttons).
  virtual bool ClickAnywhereChooses() const { return false; }
  // The main menu's fade-in: moving the pointer over its buttons makes no sound meanwhile.
  virtual bool FadingIn() const { return false; }
  // The player was taken away (another window, the boss key, a display switch): the game
  // pauses.
  virtual void Interrupted() {}
  // A window has opened over the screen, and taken the selection off it.
  virtual void Covered() {}
  // Whether its texts stay drawn under a window (they lie between its sprites and the window's).
  virtual bool KeepsTextsUnderWindows() const { return false; }
  // A frame in which a window stood over it (the game's panel is drawn on).
  virtual void StepUnderWindow() {}
  // The song that plays on it.
  virtual const char* Music() const { return kMenuMusic; }
  // A setting being changed that is not settled yet (a key being captured, a text being
  // typed), and settling it at once (the exit saves it).
  virtual bool ChangingSettings() const { return false; }
  virtual void SettleSettings() {}
};
