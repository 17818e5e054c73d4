#pragma once

#include "screens/window.h"

// The game stands still until the pause key or Escape ends the pause.
class TPauseWindow final : public TWindow {
 public:
  explicit TPauseWindow(TScreenHost& host);

  void Step(int lag) override;
  void DrawTexts() override;
};
