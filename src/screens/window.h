#pragma once

#include <cstdint>
#include <string>

#include "screens/screen.h"

class TMyImageSprite;
class TScreenHost;

// A window over a screen, by its kind (objects/window_kinds.h). The questions, the name entry
// and the sending notice stand on the window's backdrop; the pause and the banners are bare
// texts over the game.
class TWindow : public TScreen {
 public:
  // The backdrop lies at this depth, the window's buttons and cursor above it; the screen
  // below keeps to the depths beneath.
  static constexpr int kDepth = 14;

  TWindow(TScreenHost& host, uint8_t kind, bool backdrop)
      : host_(host), kind_(kind), backdrop_(backdrop) {}

  uint8_t Number() const override { return kind_; }
  bool IsWindow() const override { return true; }
  void Enter() override;
  void Leave() override;

 protected:
  // A line of the window's text, centred on the window's middle.
  void DrawCentred(int style, const std::string& text, int y);

  TScreenHost& host_;

 private:
  uint8_t kind_;
  bool backdrop_;
  TMyImageSprite* backdropSprite_ = nullptr;
};
