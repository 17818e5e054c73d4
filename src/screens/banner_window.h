#pragma once

#include <functional>
#include <string>

#include "screens/window.h"

// A text over the frozen game for a while (the level's number, the game's end); when its time
// is up it closes, and what it was waiting for follows.
class TBannerWindow final : public TWindow {
 public:
  using TText = std::function<std::string()>;
  using TAfter = std::function<void()>;

  TBannerWindow(TScreenHost& host, uint8_t kind, TText text, int ms, TAfter after = {})
      : TWindow(host, kind, false), text_(std::move(text)), ms_(ms), after_(std::move(after)) {}

  void Enter() override;
  void Step(int lag) override;
  void DrawTexts() override;

 private:
  TText text_;
  int ms_;
  TAfter after_;
  int timer_ = 0;  // ms left
};
