#pragma once

#include "screens/window.h"

class TMyCursor;

// A score for the table: the player types a name for it. Enter, or a click anywhere (the window
// has no buttons), enters it; Escape leaves the game as Escape in the game does, the table as
// it was.
class TNameEntryWindow final : public TWindow {
 public:
  explicit TNameEntryWindow(TScreenHost& host);

  void Enter() override;
  void Leave() override;
  void Step(int lag) override;
  void DrawTexts() override;
  void Activate(int item) override;
  bool Typed(int key) override;
  bool ClickAnywhereChooses() const override { return true; }

 private:
  TMyCursor* cursor_ = nullptr;
};
