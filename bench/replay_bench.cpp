// The replay checker's speed: a crowded game (from level 12, the craft weaving and firing) is
// recorded, then played back headless without drawing, as `perolet-sim --replay` does.
#include "replay_bench.h"

#include <chrono>
#include <cstdio>

#include "app/replay_playback.h"
#include "persist/replay_store.h"
#include "platform/file_io.h"
#include "platform/headless/headless_platform.h"
#include "platform/recording_platform.h"
#include "platform/vk_codes.h"

namespace {

constexpr int kRate = 60;
constexpr int kCrowdedLevel = 12;
constexpr int kMostFrames = 36000;  // ten minutes at 60 frames a second
constexpr int kWeaveFrames = 70;

persist::TReplay RecordCrowdedGame(const std::string& saveFolder) {
  platform::THeadlessPlatform headless(kRate);
  platform::TRecordingPlatform recorder(headless);
  TFormConfig config{7, {}};
  config.saveFolder = saveFolder;
  config.firstLevel = kCrowdedLevel;
  TMForm form(recorder, config);
  form.RecordGamesWith(recorder);
  form.SkipDrawing = true;
  form.FormCreate();
  int64_t frame = 0;
  auto turn = [&] {
    headless.SetTicks(static_cast<uint32_t>(++frame * 1000 / kRate));
    form.ProcessEvents();
    form.MDXTimer.Idle();
  };
  headless.TypeChar(13);
  turn();
  headless.KeyDown(platform::vk::kSpace);
  while (form.ScreenType() == kScreenGame && form.WindowOpen() != kWindowGameOver &&
         frame < kMostFrames) {
    const bool up = frame / kWeaveFrames % 2 != 0;
    headless.KeyUp(up ? platform::vk::kDown : platform::vk::kUp);
    headless.KeyDown(up ? platform::vk::kUp : platform::vk::kDown);
    turn();
  }
  headless.KeyUp(platform::vk::kSpace);
  for (int i = 0; i < 1000 && form.ScreenType() == kScreenGame && form.WindowOpen() != 0; ++i)
    turn();
  form.SaveAndExit();
  std::vector<uint8_t> bytes;
  std::string why;
  platform::ReadWholeFile(persist::ReplayPathOf(saveFolder, persist::kLastReplay), bytes, why);
  return persist::DecodeReplay(bytes);
}

}  // namespace

void PrintReplayCheck() {
  const std::string folder = "bench-replay-save";
  const persist::TReplay replay = RecordCrowdedGame(folder);
  platform::THeadlessPlatform headless(kRate);
  using TClock = std::chrono::steady_clock;
  const auto start = TClock::now();
  TReplayRun run(headless, replay, TFormConfig{});
  run.Form().SkipDrawing = true;
  run.Start();
  const auto started = TClock::now();
  while (run.Step()) {
  }
  const auto end = TClock::now();
  const double setupMs = std::chrono::duration<double, std::milli>(started - start).count();
  const double seconds = std::chrono::duration<double>(end - started).count();
  const double frames = static_cast<double>(run.Reached().Frames);
  const double framesPerSecond = frames / seconds;
  // A ten-minute game at 60 frames a second: the set-up (data loaded, the form made) once, then
  // its frames.
  const double tenMinutesS = setupMs / 1000 + kMostFrames / framesPerSecond;
  std::printf(
      "replay-check frames=%.0f reached=%s setup_ms=%.0f frames_per_s=%.0f realtime_x=%.0f "
      "ten_minute_game_s=%.2f bytes=%zu\n",
      frames, run.ReachedClaim() ? "yes" : "no", setupMs, framesPerSecond, framesPerSecond / kRate,
      tenMinutesS, persist::EncodeReplay(replay).size());
}
