#pragma once

// One-frame pressed flags: true only in the frame in which the state went down.
struct TKeyFlags {
  bool UpPressed = false;
  bool DownPressed = false;
  bool LeftPressed = false;
  bool RightPressed = false;
  bool PausePressed = false;
  bool YesPressed = false;
  bool NoPressed = false;
  bool EscPressed = false;
};
