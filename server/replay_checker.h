#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "child_process.h"

namespace records {

// What a checker may spend on one replay. It holds itself to the CPU seconds and the address
// space; the server allows it the seconds plus wallMargin of the wall clock (its start, a
// loaded machine) and then kills it.
struct TCheckLimits {
  int seconds = 60;
  int megabytes = 1024;
  std::string dataFolder;  // the folder that holds the game's Data/; empty: the checker's own
  std::chrono::milliseconds wallMargin{5'000};
};

// A checker's name for itself: its "checker" line, and what --version prints.
struct TCheckerIdentity {
  std::string version;
  std::string rules;  // the rules fingerprint, lowercase hex
  bool operator==(const TCheckerIdentity&) const = default;
};

// What a checker printed for one replay.
struct TCheckerVerdict {
  enum class TKind { Refused, Other, Played };
  TCheckerIdentity checker;
  TKind kind = TKind::Refused;
  std::string refusal;     // Refused: why, as the checker says it
  TCheckerIdentity other;  // Other: the version and rules that recorded the replay
  // Played: where the game ended, and the name and country typed (code page 1251).
  int64_t score = 0;
  int64_t level = 0;
  int64_t frames = 0;
  std::string name;
  std::string country;
  std::optional<std::string> damage;  // the replay's input was found damaged here
};

// One run of a checker: its verdict, or why there is none.
struct TCheckRun {
  std::optional<TCheckerVerdict> verdict;
  // Without a verdict: "its check ran past 65 s", "its check ended without a verdict
  // (signal 9)", …
  std::string failure;
  bool stopped = false;  // the server stopped it: nothing is known of the replay
  std::string errors;    // the start of its stderr, for the log
};

// Runs the checker at program on one replay. Throws std::runtime_error when it cannot be
// started, says it could not check here, or ends by itself before its "checker" line (which
// it prints before it reads the replay): none of these is the replay's fault.
TCheckRun RunChecker(const std::string& program, std::span<const uint8_t> replay,
                     const TCheckLimits& limits, const TStopSignal& stop);

// The checker's stdout, held strictly to its lines; anything else is no verdict.
std::optional<TCheckerVerdict> ParseCheckerOutput(std::string_view output);

// What `program --version` says it is ("perolet-verify VERSION RULESHEX"); nothing when it
// cannot be run or says anything else.
std::optional<TCheckerIdentity> ProbeChecker(const std::string& program, const TStopSignal& stop);

}  // namespace records
