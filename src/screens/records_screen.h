#pragma once

#include "screens/menu_list.h"
#include "screens/screen.h"
#include "screens/screen_frame.h"

class TScreenHost;

// The table of the ten best: Back, clearing the records (asked first), and the world-records
// page in the browser.
class TRecordsScreen final : public TScreen {
 public:
  static constexpr int kBack = 1, kClear = 2, kVisit = 3;

  // newEntryRow: the row of the entry the player just made, shown in red (0: none).
  explicit TRecordsScreen(TScreenHost& host, int newEntryRow = 0)
      : host_(host), newEntryRow_(newEntryRow) {}

  uint8_t Number() const override;
  void Enter() override;
  void Leave() override;
  void Step(int lag) override;
  void DrawTexts() override;
  void Activate(int item) override;
  TMenuList* Menu() override { return &menu_; }

  int NewEntryRow() const { return newEntryRow_; }
  // The world-records button has told that no records server is set.
  bool NoServerNoteShown() const { return noServerNoteShown_; }

 private:
  TScreenHost& host_;
  TMenuList menu_;
  TScreenFrame frame_;
  int newEntryRow_;
  bool noServerNoteShown_ = false;
};
