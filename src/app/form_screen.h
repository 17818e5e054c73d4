#pragma once

#include <cstdint>

#include "screens/screen.h"

class TMForm;

// A screen that is still the form's own (its state lives in the form, its steps are the form's
// functions), on the stack by its number.
class TFormScreen final : public TScreen {
 public:
  TFormScreen(TMForm& form, uint8_t type) : form_(form), type_(type) {}

  uint8_t Number() const override { return type_; }
  bool IsGame() const override;
  void Leave() override;
  void Step(int lag) override;
  void Activate(int item) override;
  bool Typed(int key) override;
  TMenuList* Menu() override;
  bool FadingIn() const override;
  void Interrupted() override;
  void StepUnderWindow() override;
  const char* Music() const override;

 private:
  TMForm& form_;
  uint8_t type_;
};
