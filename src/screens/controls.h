#pragma once

// One of the player's controls: whether it is down, and whether it went down this frame.
struct TControl {
  bool Held = false;
  bool Pressed = false;

  // Its state in a new frame: pressed when it was up in the frame before.
  void Read(bool down) {
    Pressed = down && !Held;
    Held = down;
  }
};

// The player's controls by what they do, read once a frame from the keyboard, the pad and the
// mouse: the screens and the game read these and never a device. Enter and Space are also
// characters, which choose a button as they are typed, between frames, as a click chooses the
// button it is on; the pad's south button is the one confirming control read with the frame.
struct TControls {
  TControl Up;  // the arrows and the pad's directions
  TControl Down;
  TControl Left;
  TControl Right;
  TControl Pause;  // P, Pause, the pad's Start
  TControl Yes;    // a question's own letters, Y and N
  TControl No;
  TControl Back;     // Escape, the pad's Back
  TControl Confirm;  // the pad's south button
  TControl Fire;     // Space, Ctrl, Enter, a mouse button, the pad's south button
};

// Which of the controls that choose a button are down now: the Enter and Space keys, which
// also arrive as typed characters that repeat while a key is held, and the pad's south button.
struct TChoosersHeld {
  bool Enter = false;
  bool Space = false;
  bool Pad = false;
};
