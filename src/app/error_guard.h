#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {
class TPlatform;
}

// The game's name: its window's caption and the title of its error box.
constexpr const char* kGameTitle = "Перолёт";

// The game survives an error in one event or one frame, as the framework it was first built
// on let it: the error box shows the message and the game goes on (a failed save can be tried
// again). Only an error that comes back frame after frame for kRepeatLimitMs ends the run,
// with its message, instead of looping.

class TErrorGuard {
 public:
  static constexpr uint32_t kRepeatLimitMs = 3000;

  explicit TErrorGuard(platform::TPlatform& platform) : platform_(platform) {}

  void Event(const std::function<void()>& handler);
  void Frame(const std::function<void()>& frame);
  // Shows a message in the error box.
  void Tell(const std::string& utf8Message);
  // Asked when an error is caught: a line to add to its message (the replay kept of the game
  // it stopped), or nothing.
  std::function<std::string()> FaultNote;
  const std::optional<std::string>& Fatal() const { return fatal_; }

 private:
  std::string Note() const;

  platform::TPlatform& platform_;
  // Since when frames have failed in a row (counted from after the box was closed, since the
  // box keeps the player as long as it likes), and with which message.
  std::optional<uint32_t> failingSince_;
  std::string frameError_;
  std::optional<std::string> fatal_;
};
