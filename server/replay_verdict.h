#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "record_store.h"
#include "replay_checker.h"

namespace records {

// What a check came to for the record: Verified, Refused or Unchecked, with the detail the
// store keeps (why it was refused; the replay's version when unchecked).
struct TJudgement {
  TRecordState state = TRecordState::Refused;
  std::string detail;
  bool operator==(const TJudgement&) const = default;
};

// The rule. A replay proves its record when the checker played it without finding its input
// damaged to the record's score, with the record's name and country typed; anything else
// refuses the record, saying why. A replay of other rules is Unchecked, its version the
// detail.
TJudgement JudgeRun(const TCheckRun& run, const TStoredRecord& record);

// The checkers a server has: the current one (none when none was found) and the ones the
// operator keeps for older versions.
struct TCheckers {
  std::string current;
  std::map<std::string, std::string> byVersion;  // VERSION -> program
  // Versions the operator gave a checker for that did not answer at start: their replays wait
  // for a start at which it does.
  std::set<std::string> unanswered;
  TCheckLimits limits;
};

struct TCheckOutcome {
  // Nothing when stopped, or when the operator's checker for its version did not answer at
  // start: the replay stays Checking.
  std::optional<TJudgement> judgement;
  std::string note;  // for the log: why a checker gave no verdict
};

// Checks a replay with the current checker; a replay of another version goes to the
// operator's checker for that version, whose "checker" line must name it (one given that did
// not answer at start leaves the replay Checking). Throws
// std::runtime_error when a checker cannot be started or could not check here.
TCheckOutcome CheckReplay(const TPendingReplay& pending, const TCheckers& checkers,
                          const TStopSignal& stop);

// How the server finds its checkers; see kServerUsage.
struct TVerifyOptions {
  int workers = 1;
  size_t queueSize = 256;
  std::string program;  // empty: perolet-verify beside the server's own executable
  std::map<std::string, std::string> verifiers;
  TCheckLimits limits;
};

// The current checker is asked its version; one that does not answer is not used, and the
// log says so once (replays then stay Checking for a later start). The operator's checkers
// for older versions are asked too, and one that does not answer or names another version is
// left out: its version's replays stay Checking too.
TCheckers FindCheckers(const TVerifyOptions& options, const std::string& serverFolder,
                       std::ostream& log);

}  // namespace records
