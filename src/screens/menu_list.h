#pragma once

#include <array>

class TMenuButton;

// The buttons a screen or a window offers and which of them is selected. The buttons keep the
// numbers the screens give them, 1 to 12 (a question's Yes and No are 11 and 12); only those
// from First to Last take part, and a list with Last below First offers none.
class TMenuList {
 public:
  static constexpr int kSlots = 12;

  std::array<TMenuButton*, kSlots + 1> Buttons{};  // owned by the sprite tree
  int First = 1;
  int Last = 0;
  int Item = 0;

  // The selected button shows its active look, every other one its inactive look. True when
  // the selected button has just been lit: the selection came onto it since the last call.
  bool Highlight();
  // The first button under the point, edges included; 0 when there is none.
  int ButtonAt(int x, int y) const;
  // The button under the pointer becomes the selection; elsewhere the selection stays.
  void Hover(int x, int y);
  // The buttons end (the engine frees them after this frame's screen step).
  void RemoveButtons();
};
