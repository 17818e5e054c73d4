#pragma once

#include <ostream>

#include "sim_options.h"

namespace platform {
class THeadlessPlatform;
}

namespace sim {

constexpr int kReplayReached = 0;
constexpr int kReplayRefused = 2;
constexpr int kReplayMissed = 3;

// --replay: plays the file on the headless platform and prints one JSON line of what the game
// came to against what the file claims. Returns kReplayReached, kReplayMissed (played, to
// another end) or kReplayRefused (not played: unreadable, damaged, of other rules).
int CheckReplay(const TSimOptions& options, platform::THeadlessPlatform& headless,
                std::ostream* trace, std::ostream& out);

}  // namespace sim
