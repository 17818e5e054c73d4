#pragma once

#include "screens/menu_list.h"
#include "screens/screen.h"

class TScreenHost;

// The running game's screen: the game steps each frame, under its own music and sky, with the
// pointer hidden. It has no buttons; its windows have them.
class TGameScreen final : public TScreen {
 public:
  explicit TGameScreen(TScreenHost& host) : host_(host) {}

  uint8_t Number() const override;
  bool IsGame() const override { return true; }
  void Enter() override;
  void Step(int lag) override;
  bool Typed(int) override { return true; }  // Space fires
  TMenuList* Menu() override { return &menu_; }
  void Interrupted() override;
  void StepUnderWindow() override;
  const char* Music() const override { return kGameMusic; }

 private:
  TScreenHost& host_;
  TMenuList menu_;
};
