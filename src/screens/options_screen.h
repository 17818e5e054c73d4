#pragma once

#include <cstdint>
#include <string>

#include "screens/menu_list.h"
#include "screens/screen.h"
#include "screens/screen_frame.h"

class TMyCursor;
class TScreenHost;

// The options: the display mode, music and sounds, the boss key (caught from the keyboard)
// and the country (typed), one row each, then Back.
class TOptionsScreen final : public TScreen {
 public:
  static constexpr int kBossKeyRow = 4;
  static constexpr int kCountryRow = 5;
  static constexpr int kBackRow = 6;

  explicit TOptionsScreen(TScreenHost& host) : host_(host) {}

  uint8_t Number() const override;
  void Enter() override;
  void Leave() override;
  void Step(int lag) override;
  void DrawTexts() override;
  void Activate(int item) override;
  bool Typed(int key) override;
  bool KeyCaught(int key, int shift, bool down) override;
  TMenuList* Menu() override { return &menu_; }
  void Covered() override { EndRowChanges(); }
  bool KeepsTextsUnderWindows() const override { return true; }
  bool ChangingSettings() const override { return bossCapture_ || countryEdit_; }
  void SettleSettings() override { EndRowChanges(); }

  bool BossCapture() const { return bossCapture_; }
  bool CountryEdit() const { return countryEdit_; }
  // The boss key as the row shows it: "ALT+F9", "CTRL+?" while one is being caught, "?".
  std::string BossKeyName() const;
  const TMyCursor* TextCursor() const { return cursor_; }
  void ToggleBossCapture();
  void ToggleCountryEdit();

 private:
  void EndRowChanges();
  void EndRowChangesOffTheRow();
  void ChooseSide(bool left);
  void CatchBossKey(int key, int shift, bool down);

  TScreenHost& host_;
  TMenuList menu_;
  TScreenFrame frame_;
  TMyCursor* cursor_ = nullptr;
  bool bossCapture_ = false;
  bool countryEdit_ = false;
  // The boss key as it was when a capture began.
  uint8_t savedBossShift_ = 0;
  uint16_t savedBossKey_ = 0;
};
