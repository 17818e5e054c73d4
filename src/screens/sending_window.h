#pragma once

#include "screens/window.h"

// The result on its way to the world records: the notice is shown for a frame, the request
// made in the next (it blocks), and the records screen follows.
class TSendingWindow final : public TWindow {
 public:
  TSendingWindow(TScreenHost& host, int newEntryRow);

  void Step(int lag) override;
  void DrawTexts() override;

 private:
  int newEntryRow_;
  bool shown_ = false;
};
