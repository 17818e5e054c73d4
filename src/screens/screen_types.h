#pragma once

#include <cstdint>

// The screens, by the numbers the program's trace knows them by (0: none stands).
enum : uint8_t {
  kScreenNone = 0,
  kScreenMainMenu = 1,
  kScreenOptions = 2,
  kScreenHighScores = 3,
  kScreenHelp = 4,
  kScreenGame = 5,
};
