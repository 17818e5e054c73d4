#include "replay_check.h"

#include <sstream>

#include "app/replay_playback.h"
#include "platform/file_io.h"
#include "platform/headless/headless_platform.h"
#include "trace.h"

namespace sim {

namespace {

const char* EndingName(persist::TReplayEnding ending) {
  switch (ending) {
    case persist::TReplayEnding::GameOver:
      return "game over";
    case persist::TReplayEnding::Closed:
      return "closed";
    case persist::TReplayEnding::Fault:
      return "fault";
  }
  return "?";
}

std::string ResultJson(const persist::TReplayResult& r) {
  std::ostringstream json;
  json << "\"name\":" << JsonString(r.Name) << ",\"country\":" << JsonString(r.Country)
       << ",\"score\":" << r.Score << ",\"level\":" << r.Level << ",\"lives\":" << r.Lives
       << ",\"frames\":" << r.Frames << ",\"ending\":" << JsonString(EndingName(r.Ending));
  return json.str();
}

int Refuse(const std::string& file, const std::string& why, std::ostream& out) {
  out << "{\"replay\":" << JsonString(file) << ",\"refused\":" << JsonString(why) << "}\n";
  return kReplayRefused;
}

}  // namespace

int CheckReplay(const TSimOptions& options, platform::THeadlessPlatform& headless,
                std::ostream* trace, std::ostream& out) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!platform::ReadWholeFile(options.replayFile, bytes, why, persist::kMostReplayFileBytes))
    return Refuse(options.replayFile, why, out);
  try {
    const persist::TReplay replay = persist::DecodeReplay(bytes);
    bytes.clear();
    bytes.shrink_to_fit();
    TReplayRun run(headless, replay, TFormConfig{});
    TMForm& form = run.Form();
    form.SkipDrawing = !options.draw;
    form.RecordSounds = trace != nullptr;
    int lastLag = 0;
    auto frameHandler = form.MDXTimer.OnTimer;
    form.MDXTimer.OnTimer = [&](engine::TDXTimer& timer, int lag) {
      lastLag = lag;
      frameHandler(timer, lag);
    };
    size_t errorsShown = headless.Errors().size();
    auto traceRow = [&](int64_t frame) {
      if (!trace) return;
      TFrameFacts facts{frame, run.Platform().LastTicks(), lastLag, {}, {}};
      facts.errors.assign(headless.Errors().begin() + static_cast<std::ptrdiff_t>(errorsShown),
                          headless.Errors().end());
      errorsShown = headless.Errors().size();
      *trace << TraceRow(facts, form) << '\n';
      form.SoundsStarted.clear();
    };
    form.SoundsStarted.clear();
    run.Start();
    // The first turn finishes the one the recorded game began in; each makes one trace row.
    int64_t turn = 0;
    while (run.Step()) traceRow(turn++);
    const persist::TReplayResult reached = run.Reached();
    out << "{\"replay\":" << JsonString(options.replayFile) << "," << ResultJson(reached)
        << ",\"claimed\":{" << ResultJson(run.Claimed()) << "}"
        << ",\"reached\":" << (run.ReachedClaim() ? "true" : "false");
    if (run.Damage()) out << ",\"damage\":" << JsonString(*run.Damage());
    out << "}\n";
    return run.ReachedClaim() ? kReplayReached : kReplayMissed;
  } catch (const std::exception& error) {
    return Refuse(options.replayFile, error.what(), out);
  }
}

}  // namespace sim
