#include "replay_verdict.h"

#include "cp1251.h"

namespace records {

namespace {

// "the name typed is "Вас", not "Вася"", or that none was typed.
std::optional<std::string> Mismatch(const char* what, const std::string& typedCp1251,
                                    const std::string& recorded) {
  const std::string typed = Utf8FromCp1251(typedCp1251);
  if (typed == recorded) return std::nullopt;
  if (typed.empty())
    return std::string("no ") + what + " is typed, the record's is \"" + recorded + "\"";
  return std::string("the ") + what + " typed is \"" + typed + "\", not \"" + recorded + "\"";
}

TJudgement Refused(std::string why) {
  return {TRecordState::Refused, std::move(why)};
}

TJudgement Unchecked(const std::string& version) {
  return {TRecordState::Unchecked, version};
}

// The checker's name for a program in the log, with the failure and what it wrote to stderr.
std::string NoteOf(const std::string& program, const TCheckRun& run) {
  if (run.verdict || run.stopped) return {};
  std::string note = program + ": " + run.failure;
  if (!run.errors.empty()) note += "; it said: " + run.errors;
  return note;
}

}  // namespace

TJudgement JudgeRun(const TCheckRun& run, const TStoredRecord& record) {
  if (!run.verdict) return Refused(run.failure);
  const TCheckerVerdict& verdict = *run.verdict;
  switch (verdict.kind) {
    case TCheckerVerdict::TKind::Refused:
      return Refused(verdict.refusal);
    case TCheckerVerdict::TKind::Other:
      return Unchecked(verdict.other.version);
    case TCheckerVerdict::TKind::Played:
      break;
  }
  if (verdict.damage) return Refused("its input is damaged: " + *verdict.damage);
  if (verdict.score != record.score)
    return Refused("plays to " + std::to_string(verdict.score) + ", not " +
                   std::to_string(record.score));
  if (auto why = Mismatch("name", verdict.name, record.name)) return Refused(*why);
  if (auto why = Mismatch("country", verdict.country, record.country)) return Refused(*why);
  return {TRecordState::Verified, ""};
}

TCheckOutcome CheckReplay(const TPendingReplay& pending, const TCheckers& checkers,
                          const TStopSignal& stop) {
  const TCheckRun run = RunChecker(checkers.current, pending.replay, checkers.limits, stop);
  if (run.stopped) return {};
  if (!run.verdict || run.verdict->kind != TCheckerVerdict::TKind::Other)
    return {JudgeRun(run, pending.record), NoteOf(checkers.current, run)};
  const std::string& version = run.verdict->other.version;
  const auto older = checkers.byVersion.find(version);
  if (older == checkers.byVersion.end() && checkers.unanswered.contains(version))
    return {std::nullopt, "the checker given for " + version + " did not answer at start"};
  if (older == checkers.byVersion.end()) return {Unchecked(version), {}};
  const TCheckRun second = RunChecker(older->second, pending.replay, checkers.limits, stop);
  if (second.stopped) return {};
  if (second.verdict && second.verdict->checker.version != version)
    return {Unchecked(version), older->second + " names itself " + second.verdict->checker.version +
                                    ", not " + version};
  // A replay the older checker does not play either keeps the version it was recorded by.
  if (second.verdict && second.verdict->kind == TCheckerVerdict::TKind::Other)
    return {Unchecked(version), {}};
  return {JudgeRun(second, pending.record), NoteOf(older->second, second)};
}

TCheckers FindCheckers(const TVerifyOptions& options, const std::string& serverFolder,
                       std::ostream& log) {
  const TStopSignal never;
  TCheckers checkers;
  checkers.limits = options.limits;
  const std::string program =
      options.program.empty() ? serverFolder + "/perolet-verify" : options.program;
  if (const auto identity = ProbeChecker(program, never)) {
    checkers.current = program;
    log << "perolet-records: replays are checked by " << program << ", version "
        << identity->version << ", rules " << identity->rules << std::endl;
  } else {
    log << "perolet-records: no checker: " << program
        << " does not answer --version as perolet-verify does; replays sent stay checking "
           "until a server with a checker starts"
        << std::endl;
  }
  for (const auto& [version, path] : options.verifiers) {
    const auto identity = ProbeChecker(path, never);
    if (identity && identity->version == version) {
      checkers.byVersion[version] = path;
      continue;
    }
    checkers.unanswered.insert(version);
    log << "perolet-records: --verifier " << version << "=" << path << " not used: "
        << (identity ? "it names itself " + identity->version : "it does not answer --version")
        << "; replays of " << version << " stay checking until it answers" << std::endl;
  }
  return checkers;
}

}  // namespace records
