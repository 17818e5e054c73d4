#pragma once

#include <cstdint>
#include <string>

namespace persist {

// The player's settings. Everything is zero, false or empty until the options are loaded.
struct TGameOptions {
  bool FullScreen = false;
  bool Music = false;
  bool Sounds = false;
  std::string Country;  // code page 1251
  bool operator==(const TGameOptions&) const = default;
};

}  // namespace persist
