#pragma once

#include <memory>
#include <utility>

#include "app/form.h"

namespace test_support {

// Puts a screen of the given class in place of the form's current one, as the screens
// themselves do, and hands it back.
template <typename TScreenClass, typename... TArgs>
TScreenClass& ShowScreen(TMForm& form, TArgs&&... args) {
  auto screen = std::make_unique<TScreenClass>(form.Host(), std::forward<TArgs>(args)...);
  TScreenClass& shown = *screen;
  form.Screens().Replace(std::move(screen));
  return shown;
}

// The form's current screen, when it is of the given class; null otherwise.
template <typename TScreenClass>
TScreenClass* CurrentScreen(TMForm& form) {
  return dynamic_cast<TScreenClass*>(form.Screens().Base());
}

}  // namespace test_support
