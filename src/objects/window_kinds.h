#pragma once

#include <cstdint>

// The windows that open over a screen, by the numbers every part that opens or answers one
// knows them by: the craft's last life opens the game-over window, the running game the level
// banner, the quit question and the pause, the screens the rest.
enum TWindowKind : uint8_t {
  kWindowQuitGame = 1,
  kWindowQuitToMenu = 2,
  kWindowClearRecords = 4,
  kWindowPause = 5,
  kWindowLevelBanner = 6,
  kWindowGameOver = 7,
  kWindowNameEntry = 8,
  kWindowSendScore = 9,
  kWindowSending = 10,
};
