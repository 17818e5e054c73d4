#pragma once

#include <functional>
#include <vector>

#include "screens/menu_list.h"
#include "screens/window.h"

// A question with Yes and No. The question closes first, then its answer acts; Escape answers
// No, as does the No key.
class TQuestionWindow final : public TWindow {
 public:
  static constexpr int kYes = 11;
  static constexpr int kNo = 12;

  struct TWording {
    std::vector<const char*> lines;  // UTF-8
    int style = 1;
    bool yesSelected = false;  // otherwise No is, as the safer answer
  };
  using TAnswer = std::function<void()>;

  TQuestionWindow(TScreenHost& host, uint8_t kind, TWording wording, TAnswer yes, TAnswer no = {});

  void Enter() override;
  void Leave() override;
  void Answer(int lag) override;
  void Step(int) override {}
  void DrawTexts() override;
  void Activate(int item) override;
  TMenuList* Menu() override { return &menu_; }

 private:
  TWording wording_;
  TAnswer yes_;
  TAnswer no_;
  TMenuList menu_;
};
