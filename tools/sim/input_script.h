#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace platform {
class THeadlessPlatform;
}

namespace sim {

enum class TScriptAction { Down, Up, Char, Move, Press, Release, Click, DblClick, Close, Focus };

struct TScriptEvent {
  TScriptAction action = TScriptAction::Down;
  int a = 0;  // key code, character code, x, or focus flag
  int b = 0;  // y
};

// The scripted input, by frame: "<frame> <event> [args]" a line; blank lines and lines that
// start with '#' are skipped. A malformed line throws std::invalid_argument naming it.
class TInputScript {
 public:
  static TInputScript Parse(std::istream& in);

  const std::vector<TScriptEvent>* EventsOf(int64_t frame) const;
  size_t EventCount() const;

 private:
  std::map<int64_t, std::vector<TScriptEvent>> byFrame_;
};

// Delivers one event to the headless platform as the window system would.
void Deliver(const TScriptEvent& event, platform::THeadlessPlatform& platform);

}  // namespace sim
