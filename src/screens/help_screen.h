#pragma once

#include <array>
#include <string>

#include "screens/menu_list.h"
#include "screens/screen.h"
#include "screens/screen_frame.h"

class TMyImageSprite;
class TScreenHost;

// The help: six pages turned with Previous and Next (round from the last to the first), each
// with its texts and pictures, and Back.
class THelpScreen final : public TScreen {
 public:
  static constexpr int kBack = 1, kPrevious = 2, kNext = 3;
  static constexpr int kPages = 6;
  static constexpr int kPictureCount = 14;

  explicit THelpScreen(TScreenHost& host) : host_(host) {}

  uint8_t Number() const override;
  void Enter() override;
  void Leave() override;
  void Step(int lag) override;
  void DrawTexts() override;
  void Activate(int item) override;
  TMenuList* Menu() override { return &menu_; }

  int Page() const { return page_; }
  // Shows another page from the next frame on.
  void TurnTo(int page) { page_ = page; }
  const std::array<TMyImageSprite*, kPictureCount>& Pictures() const { return pictures_; }

 private:
  std::string PageAddress();

  TScreenHost& host_;
  TMenuList menu_;
  TScreenFrame frame_;
  int page_ = 1;
  std::array<TMyImageSprite*, kPictureCount> pictures_{};
};
