#pragma once

#include <string>

namespace objects {
class TWorld;
}
class TMyImageSprite;

// The caption and the panel the options, records and help screens stand on.
struct TScreenFrame {
  TMyImageSprite* Caption = nullptr;
  TMyImageSprite* Panel = nullptr;

  // The caption above the panel, as the options and the records have it.
  void Show(objects::TWorld& world, const std::string& caption, const std::string& panel);
  void Hide();
};
