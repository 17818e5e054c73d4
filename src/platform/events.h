#pragma once

#include <cstdint>

namespace platform {

// The shift set of key and mouse events, with the bit values of the Windows framework's
// shift state (the boss-key option stores these values).
enum TShiftFlag : int {
  kShiftShift = 1,
  kShiftAlt = 2,
  kShiftCtrl = 4,
  kShiftLeft = 8,
  kShiftRight = 16,
  kShiftMiddle = 32,
  kShiftDouble = 64,
};

enum class TEventKind {
  KeyDown,       // key: virtual-key code, shift
  KeyUp,         // key: virtual-key code, shift
  Char,          // key: a typed character in code page 1251 (8 Backspace, 13 Enter)
  MouseMove,     // x, y in surface pixels, shift
  MouseDown,     // x, y, button (0 left, 1 right, 2 middle), shift
  MouseUp,       // x, y, button, shift
  Click,         // x, y: a left click on the display
  DblClick,      // x, y: a left double click on the display
  Activate,      // the application became active (focused and not minimised)
  Deactivate,    // the application became inactive
  Expose,        // part of the window was uncovered and must be painted again
  CloseRequest,  // the window manager asks the window to close
  Quit,          // the session ends (SIGTERM, logout): leave as the confirmed quit does
};

struct TEvent {
  TEventKind kind = TEventKind::KeyDown;
  int key = 0;
  int shift = 0;
  int x = 0;
  int y = 0;
  int button = 0;
};

}  // namespace platform
