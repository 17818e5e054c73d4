#include "sim_runner.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "app/form.h"
#include "platform/headless/headless_platform.h"
#include "platform/recording_platform.h"
#include "png_writer.h"
#include "trace.h"

namespace sim {

TSimRunner::TSimRunner(const TSimOptions& options, platform::THeadlessPlatform& platform,
                       TInputScript script, std::ostream* trace)
    : options_(options), platform_(platform), script_(std::move(script)), trace_(trace) {
  if (options.monkeySeed) monkey_.emplace(*options.monkeySeed);
  if (options.crowd) crowd_.emplace(options.seed);
}

// The clock advances 1000 / fps milliseconds a frame, accumulated exactly, so no rounding
// drifts over a long run.
uint32_t TSimRunner::TicksOfFrame(int64_t frame) const {
  return static_cast<uint32_t>((frame + 1) * 1000 / options_.fps);
}

TSimSummary TSimRunner::Run() {
  platform_.SetRefreshRate(options_.fps);
  // Only a run pointed at a server sends anything, and then wherever it points.
  platform_.SendRequests(!options_.scoreUrl.empty());
  TFormConfig config;
  config.seed = options_.seed;
  config.scoreUrl = options_.scoreUrl;
  config.firstLevel = options_.firstLevel;
  // Every game of the run is recorded, as the game records it, beside the run's saves.
  platform::TRecordingPlatform recorder(platform_);
  TMForm form(recorder, config);
  form.RecordGamesWith(recorder);
  form.RecordSounds = true;
  // Wrapping the frame handler measures the frame's compose time and remembers its lag.
  auto frameHandler = form.MDXTimer.OnTimer;
  form.MDXTimer.OnTimer = [&](engine::TDXTimer& timer, int lag) {
    lastLag_ = lag;
    const auto start = std::chrono::steady_clock::now();
    frameHandler(timer, lag);
    const auto took = std::chrono::steady_clock::now() - start;
    composeUs_.push_back(std::chrono::duration_cast<std::chrono::microseconds>(took).count());
  };
  form.FormCreate();

  TSimSummary summary;
  for (int64_t frame = 0; frame < options_.frames && !form.Terminated(); ++frame) {
    RunFrame(frame, form);
    summary.frames = frame + 1;
  }
  // An error that came back every frame ended the run, as it ends the game.
  if (form.FatalError()) throw std::runtime_error(*form.FatalError());
  summary.spritesMax = spritesMax_;

  if (!composeUs_.empty()) {
    std::vector<int64_t> sorted = composeUs_;
    std::sort(sorted.begin(), sorted.end());
    summary.composeMedianUs = sorted[sorted.size() / 2];
    summary.composeP99Us = sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    summary.composeMaxUs = sorted.back();
  }
  return summary;
}

void TSimRunner::RunFrame(int64_t frame, TMForm& form) {
  platform_.SetTicks(TicksOfFrame(frame));
  form.SoundsStarted.clear();
  if (monkey_) monkey_->BeforeFrame(frame, form, platform_);
  if (crowd_) crowd_->BeforeFrame(form);
  if (const auto* events = script_.EventsOf(frame)) {
    for (const TScriptEvent& event : *events) Deliver(event, platform_);
  }
  form.ProcessEvents();
  // An inactive game's timer does not fire; the frame still counts and its row repeats the
  // state.
  if (!form.Terminated()) form.MDXTimer.Idle();
  if (trace_) {
    TFrameFacts facts{frame, platform_.Ticks(), lastLag_, {}, {}};
    // The first row also carries what the player was told at start-up.
    facts.errors.assign(platform_.Errors().begin() + static_cast<std::ptrdiff_t>(errorsShown_),
                        platform_.Errors().end());
    facts.requests.assign(
        platform_.Requests().begin() + static_cast<std::ptrdiff_t>(requestsShown_),
        platform_.Requests().end());
    *trace_ << TraceRow(facts, form) << '\n';
  }
  errorsShown_ = platform_.Errors().size();
  requestsShown_ = platform_.Requests().size();
  spritesMax_ = std::max(spritesMax_, form.MDXSpriteEngine.Engine().SpriteCount);
  WriteShots(frame);
}

void TSimRunner::WriteShots(int64_t frame) {
  for (const TShotRequest& shot : options_.shots) {
    if (shot.frame != frame) continue;
    const auto& pixels = platform_.LastFrame();
    if (pixels.empty()) {
      const std::vector<uint32_t> black(800 * 600, 0);
      tools::WritePng(shot.path, black.data(), 800, 600);
    } else {
      tools::WritePng(shot.path, pixels.data(), platform_.LastFrameWidth(),
                      platform_.LastFrameHeight());
    }
  }
}

std::string SummaryLine(const TSimSummary& summary) {
  return "frames=" + std::to_string(summary.frames) +
         " compose_us_median=" + std::to_string(summary.composeMedianUs) +
         " compose_us_p99=" + std::to_string(summary.composeP99Us) +
         " compose_us_max=" + std::to_string(summary.composeMaxUs) +
         " sprites_max=" + std::to_string(summary.spritesMax);
}

}  // namespace sim
