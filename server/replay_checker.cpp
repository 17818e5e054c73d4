#include "replay_checker.h"

#include <signal.h>

#include <charconv>
#include <stdexcept>
#include <vector>

#include "list_request.h"

namespace records {

namespace {

constexpr size_t kLongestVersion = 64;
constexpr size_t kLongestRules = 128;
constexpr size_t kLongestReason = 300;
constexpr size_t kLongestTextBytes = 64;  // a replay's name or country, code page 1251
constexpr size_t kLongestNumber = 18;
constexpr auto kProbeTime = std::chrono::seconds(10);
constexpr const char* kProgramWord = "perolet-verify";
// A checker that ends with these checked nothing, and the replay is not to blame: it was
// started wrongly, or its sandbox or limits could not be set up on this machine.
constexpr int kExitUsage = 2;
constexpr int kExitCannotCheck = 3;
constexpr int kSignalledStatus = 128;

// The lines of a stdout, each ended by a newline, consumed in order.
class TLines {
 public:
  explicit TLines(std::string_view text) : text_(text) {}

  // The next line's value after "key ", "" for a line of the key alone, or nothing when the
  // next line is another.
  std::optional<std::string_view> Take(std::string_view key) {
    const size_t end = text_.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text_.substr(0, end);
    if (line == key) {
      text_.remove_prefix(end + 1);
      return std::string_view();
    }
    // "key value": a value of nothing is no value.
    if (!line.starts_with(key) || line.size() <= key.size() + 1 || line[key.size()] != ' ')
      return std::nullopt;
    text_.remove_prefix(end + 1);
    return line.substr(key.size() + 1);
  }

  bool AtEnd() const { return text_.empty(); }

 private:
  std::string_view text_;
};

bool IsHex(std::string_view text) {
  return text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// "VERSION RULESHEX": a printable word and the fingerprint.
std::optional<TCheckerIdentity> Identity(std::optional<std::string_view> value) {
  if (!value) return std::nullopt;
  const size_t space = value->find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const std::string_view version = value->substr(0, space), rules = value->substr(space + 1);
  if (version.empty() || version.size() > kLongestVersion || rules.empty() ||
      rules.size() > kLongestRules || !IsHex(rules))
    return std::nullopt;
  for (char c : version)
    if (c <= ' ' || c > '~') return std::nullopt;
  return TCheckerIdentity{std::string(version), std::string(rules)};
}

// A line of text for the operator: UTF-8 without control characters.
std::optional<std::string> Reason(std::optional<std::string_view> value) {
  if (!value || value->empty() || value->size() > kLongestReason) return std::nullopt;
  std::string text(*value);
  if (!Utf8Length(text)) return std::nullopt;
  return text;
}

std::optional<int64_t> Count(std::optional<std::string_view> value) {
  if (!value || value->empty() || value->size() > kLongestNumber) return std::nullopt;
  int64_t number = 0;
  const char* end = value->data() + value->size();
  const auto [ptr, error] = std::from_chars(value->data(), end, number);
  if (error != std::errc() || ptr != end || (*value)[0] == '-') return std::nullopt;
  return number;
}

// "-" (nothing typed) or the bytes as lowercase hex.
std::optional<std::string> Bytes(std::optional<std::string_view> value) {
  if (!value || value->empty()) return std::nullopt;
  if (*value == "-") return std::string();
  if (value->size() % 2 != 0 || value->size() > 2 * kLongestTextBytes || !IsHex(*value))
    return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < value->size(); i += 2) {
    unsigned byte = 0;
    std::from_chars(value->data() + i, value->data() + i + 2, byte, 16);
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

// What follows "played": the game's end, up to "end".
bool ParsePlayed(TLines& lines, TCheckerVerdict& verdict) {
  const auto score = Count(lines.Take("score"));
  const auto level = score ? Count(lines.Take("level")) : std::nullopt;
  const auto frames = level ? Count(lines.Take("frames")) : std::nullopt;
  const auto name = frames ? Bytes(lines.Take("name")) : std::nullopt;
  const auto country = name ? Bytes(lines.Take("country")) : std::nullopt;
  if (!country) return false;
  verdict.score = *score;
  verdict.level = *level;
  verdict.frames = *frames;
  verdict.name = *name;
  verdict.country = *country;
  if (const auto damage = lines.Take("damage")) {
    verdict.damage = Reason(damage);
    if (!verdict.damage) return false;
  }
  return lines.Take("end").has_value();
}

std::string Seconds(std::chrono::milliseconds time) {
  return std::to_string((time.count() + 999) / 1000);
}

std::string NoVerdict(const std::string& why) {
  return "its check ended without a verdict (" + why + ")";
}

// perolet-verify says who it is before it reads the replay, so a run that ended without
// saying so ended before the replay could matter: bubblewrap exits 1 when it cannot set up
// the sandbox, say.
bool SaidWhoItIs(std::string_view output) {
  return Identity(TLines(output).Take("checker")).has_value();
}

// A run that ended by itself and blames nothing on the replay: it was started wrongly, could
// not check here, or ended before it read the replay.
bool CouldNotCheck(const TChildEnd& end) {
  using TWay = TChildEnd::TWay;
  if (end.way != TWay::Exited && end.way != TWay::Signalled) return false;
  if (end.way == TWay::Exited && (end.code == kExitUsage || end.code == kExitCannotCheck))
    return true;
  return !SaidWhoItIs(end.output);
}

}  // namespace

std::optional<TCheckerVerdict> ParseCheckerOutput(std::string_view output) {
  TLines lines(output);
  TCheckerVerdict verdict;
  const auto checker = Identity(lines.Take("checker"));
  if (!checker) return std::nullopt;
  verdict.checker = *checker;
  if (const auto refused = lines.Take("refused")) {
    const auto reason = Reason(refused);
    if (!reason) return std::nullopt;
    verdict.kind = TCheckerVerdict::TKind::Refused;
    verdict.refusal = *reason;
  } else if (const auto other = lines.Take("other")) {
    const auto identity = Identity(other);
    if (!identity) return std::nullopt;
    verdict.kind = TCheckerVerdict::TKind::Other;
    verdict.other = *identity;
  } else if (const auto played = lines.Take("played"); played && played->empty()) {
    verdict.kind = TCheckerVerdict::TKind::Played;
    if (!ParsePlayed(lines, verdict)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (!lines.AtEnd()) return std::nullopt;
  return verdict;
}

TCheckRun RunChecker(const std::string& program, std::span<const uint8_t> replay,
                     const TCheckLimits& limits, const TStopSignal& stop) {
  std::vector<std::string> args{"--seconds", std::to_string(limits.seconds), "--megabytes",
                                std::to_string(limits.megabytes)};
  if (!limits.dataFolder.empty()) args.insert(args.end(), {"--data", limits.dataFolder});
  TChildLimits childLimits;
  childLimits.wallClock = std::chrono::seconds(limits.seconds) + limits.wallMargin;
  TChildEnd end = RunChild(program, args, replay, childLimits, stop);
  // The checker plays inside bubblewrap, which says that its child was killed by signal N
  // with the exit status 128 + N, as a shell does.
  if (end.way == TChildEnd::TWay::Exited && end.code > kSignalledStatus &&
      end.code < kSignalledStatus + NSIG) {
    end.way = TChildEnd::TWay::Signalled;
    end.code -= kSignalledStatus;
  }
  using TWay = TChildEnd::TWay;
  if (CouldNotCheck(end)) {
    const std::string how = end.way == TWay::Exited ? "exit status " : "signal ";
    throw std::runtime_error(program + " could not check (" + how + std::to_string(end.code) +
                             "): " + end.errors);
  }
  TCheckRun run;
  run.errors = end.errors;
  switch (end.way) {
    case TWay::Stopped:
      run.stopped = true;
      break;
    case TWay::PastDeadline:
      run.failure = "its check ran past " + Seconds(childLimits.wallClock) + " s";
      break;
    case TWay::TooMuchOutput:
      run.failure =
          NoVerdict("over " + std::to_string(childLimits.mostOutput / 1024) + " KB of output");
      break;
    case TWay::Signalled:
      // The processor time it holds itself to, used up.
      run.failure = end.code == SIGXCPU ? "its check ran past " + std::to_string(limits.seconds) +
                                              " s of processor time"
                                        : NoVerdict("signal " + std::to_string(end.code));
      break;
    case TWay::Exited:
      if (end.code != 0) {
        run.failure = NoVerdict("exit status " + std::to_string(end.code));
        break;
      }
      run.verdict = ParseCheckerOutput(end.output);
      if (!run.verdict) run.failure = NoVerdict("its output is not a verdict");
      break;
  }
  return run;
}

std::optional<TCheckerIdentity> ProbeChecker(const std::string& program, const TStopSignal& stop) {
  TChildLimits limits;
  limits.wallClock = kProbeTime;
  TChildEnd end;
  try {
    end = RunChild(program, {"--version"}, {}, limits, stop);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
  if (end.way != TChildEnd::TWay::Exited || end.code != 0) return std::nullopt;
  TLines lines(end.output);
  const auto identity = Identity(lines.Take(kProgramWord));
  if (!identity || !lines.AtEnd()) return std::nullopt;
  return identity;
}

}  // namespace records
