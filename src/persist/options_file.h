#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "persist/game_options.h"

namespace persist {

// The country of a player who has given none: a blank to be filled in, never typed after.
constexpr const char* kDefaultCountry = "_______";

// The settings the options file holds, as references into the form's state.
struct TSettingsRef {
  TGameOptions& options;
  uint8_t& bossShift;
  uint16_t& bossKey;
  std::string& highScoreCheck;
};

// What the game starts with when there is no options file; leaves the checksum alone.
void DefaultOptions(TSettingsRef settings);
// The seven lines, read and written by save_files. Values the file does not give stay as they
// were (zero at start-up); out-of-range boss-key codes leave the key as it was. Reading raises
// EInOutError "Invalid numeric input" for a number line that is not a 32-bit integer, with the
// values before it read.
void ReadOptions(TSettingsRef settings, std::vector<uint8_t> bytes);
// checksum: the high-score table's, written as the last line.
std::vector<uint8_t> OptionsFileBytes(const TSettingsRef& settings, const std::string& checksum);

}  // namespace persist
