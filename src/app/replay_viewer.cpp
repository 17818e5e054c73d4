#include "app/replay_viewer.h"

#include <exception>

#include "app/replay_playback.h"
#include "platform/file_io.h"
#include "platform/vk_codes.h"
#include "screens/screen_text.h"

namespace {

constexpr int kFastSpeed = 4;
// At most this many recorded frames a refresh, so a slow machine falls behind rather than
// freezing to catch up.
constexpr int kMostFramesARefresh = 2 * kFastSpeed;
constexpr int kIdleWaitMs = 20;
constexpr int kFallbackRate = 60;
// The labels stand at the bottom right, over the grass, clear of the panel and the windows.
constexpr int kLabelStyle = 11;
constexpr int kLabelRight = 790;
constexpr int kLabelTop = 570;
constexpr int kStateLabelTop = 544;

// The watching: the viewer's own keys, read from the window, and the pace at which the
// recorded frames are played.
class TViewer {
 public:
  TViewer(platform::TPlatform& window, TReplayRun& run) : window_(window), run_(run) {}

  void Run();

 private:
  void ReadViewerKeys();
  void PlayDue();
  void Label(const std::string& text, int y);
  void ShowState();
  void Restart();

  platform::TPlatform& window_;
  TReplayRun& run_;
  bool paused_ = false;
  bool leave_ = false;
  bool endShown_ = false;
  int speed_ = 1;
  // The recorded clock and the window's when playing last (re)started at this speed.
  uint32_t tapeStart_ = 0;
  uint32_t realStart_ = 0;
};

void TViewer::Run() {
  TMForm& form = run_.Form();
  form.FrameOverlay = [this] {
    Label(run_.Form().Text.Cp1251("Повтор") + (speed_ == 1 ? "" : " x" + std::to_string(speed_)),
          kLabelTop);
  };
  Restart();
  while (!leave_) {
    ReadViewerKeys();
    if (run_.Over() && !endShown_) {
      endShown_ = true;
      ShowState();
    }
    if (paused_ || run_.Over()) {
      window_.WaitEvent(kIdleWaitMs);
      continue;
    }
    PlayDue();
    window_.PaceFrame(form.RefreshRate > 1 ? form.RefreshRate : kFallbackRate);
  }
}

void TViewer::Restart() {
  tapeStart_ = run_.Platform().LastTicks();
  realStart_ = window_.Ticks();
}

// Plays the frames whose recorded time has come, each drawn as the game draws it; the window
// shows the last of them.
void TViewer::PlayDue() {
  const uint32_t due = tapeStart_ + (window_.Ticks() - realStart_) * static_cast<uint32_t>(speed_);
  platform::TReplayPlatform& tape = run_.Platform();
  tape.HoldPictures(true);
  int played = 0;
  while (!run_.Over() && static_cast<int32_t>(due - tape.LastTicks()) >= 0 &&
         played < kMostFramesARefresh) {
    run_.Step();
    ++played;
  }
  tape.HoldPictures(false);
  if (played > 0) tape.ShowHeld();
}

void TViewer::Label(const std::string& text, int y) {
  TMForm& form = run_.Form();
  form.Text.SetTextStyle(kLabelStyle);
  form.Text.DrawText(text, kLabelRight - form.Text.TextWidth(text), false, false, y);
}

// The word for a pause or the end, over the picture last shown.
void TViewer::ShowState() {
  TMForm& form = run_.Form();
  if (!form.MDXDraw.CanDraw()) return;
  Label(run_.Form().Text.Cp1251(run_.Over() ? "Конец повтора" : "Пауза"), kStateLabelTop);
  form.MDXDraw.Surface().Canvas().Release();
  form.MDXDraw.Flip();
}

void TViewer::ReadViewerKeys() {
  platform::TEvent event;
  while (window_.PollEvent(event)) {
    using platform::TEventKind;
    if (event.kind == TEventKind::CloseRequest || event.kind == TEventKind::Quit) leave_ = true;
    if (event.kind == TEventKind::Expose) run_.Platform().ShowHeld();
    if (event.kind != TEventKind::KeyDown) continue;
    if (event.key == platform::vk::kEscape) leave_ = true;
    if (event.key == platform::vk::kSpace) {
      paused_ = !paused_;
      if (paused_) ShowState();
    }
    if (event.key == platform::vk::kRight) speed_ = speed_ == 1 ? kFastSpeed : 1;
    Restart();
  }
}

}  // namespace

int WatchReplay(platform::TPlatform& window, const std::string& path, const TFormConfig& config) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!platform::ReadWholeFile(path, bytes, why, persist::kMostReplayFileBytes)) {
    window.ShowError(kGameTitle, "Повтор не открывается: " + why);
    return 1;
  }
  try {
    const persist::TReplay replay = persist::DecodeReplay(bytes);
    TReplayRun run(window, replay, config);
    run.Start();
    window.SetTitle(std::string(kGameTitle) + " — повтор");
    TViewer(window, run).Run();
    return 0;
  } catch (const std::exception& error) {
    window.ShowError(kGameTitle, "Повтор не открывается: " + path + "\n" + error.what());
    return 1;
  }
}
