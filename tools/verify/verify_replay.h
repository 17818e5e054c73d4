#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "persist/sha256.h"

namespace platform {
class THeadlessPlatform;
}

namespace verify {

// What a records server reads from the checker, one "key value" line each:
//   checker VERSION RULES           this checker: its version and rules fingerprint (hex)
// then exactly one of
//   refused REASON                  not a replay, damaged, or beyond a bound
//   other VERSION RULES             recorded by that version under other rules
//   played                          then score, level, frames, name and country (code page
//                                   1251 as hex, "-" for none), damage REASON when its input
//                                   was found damaged, and end
std::string CheckerLine(const persist::TSha256& rules);

// Writes the checker line, and only then reads the replay and plays it on the headless
// platform (the working directory holds the game's data), writing the rest. A run whose output
// lacks the checker line ended before it read anything: whatever stopped it, the replay did not.
void VerifyReplay(const std::function<std::vector<uint8_t>()>& readReplay,
                  platform::THeadlessPlatform& headless, std::ostream& out);

}  // namespace verify
