#pragma once

#include <cstdint>

#include "screens/menu_list.h"
#include "screens/screen.h"

class TMForm;

// A screen that is still the form's own (its steps are the form's functions), on the stack by
// its number.
class TFormScreen final : public TScreen {
 public:
  TFormScreen(TMForm& form, uint8_t type) : form_(form), type_(type) {}

  uint8_t Number() const override { return type_; }
  bool IsGame() const override;
  void Step(int lag) override;
  bool Typed(int key) override;
  TMenuList* Menu() override { return &menu_; }
  void Interrupted() override;
  void StepUnderWindow() override;
  const char* Music() const override;

 private:
  TMForm& form_;
  uint8_t type_;
  TMenuList menu_;
};
