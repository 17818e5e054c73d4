#include "app/form.h"

#include <chrono>

#include "platform/platform.h"

namespace {
constexpr int kDisplayBitCount = 32;
}

void TMForm::FormCreate() {
  MusicPending = false;
  const auto clockSeed =
      static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  Random.seed(config_.seed.value_or(clockSeed));
  // The image lists, the sound list, the high-score table and its check against the options
  // are loaded here as those parts of the game arrive; until the options file is read, the
  // default settings stand.
  Options = {false, true, true, "_______"};
  BossShift = platform::kShiftAlt;
  BossKey = 120;  // F9
  ApplyDisplayMode();
  ScreenType = kScreenNone;
  ShowMainMenu(1, 1, true);
}

void TMForm::ApplyDisplayMode() {
  MDXDraw.SetBitCount(kDisplayBitCount);
  if (Options.FullScreen) {
    GoFullScreen();
  } else {
    GoWindowed();
  }
  RefreshRate = Platform().RefreshRate();
}

void TMForm::GoFullScreen() {
  MDXDraw.Finalize();
  SaveWindowPlacement();
  SetBorderStyle(engine::TBorderStyle::None);
  MDXDraw.SetOptions(MDXDraw.Options() | engine::OptionBit(engine::doFullScreen));
  MDXDraw.Initialize();
}

void TMForm::GoWindowed() {
  MDXDraw.Finalize();
  RestoreWindowPlacement();
  SetBorderStyle(engine::TBorderStyle::Single);
  SetPositionCentered();
  MDXDraw.SetOptions(MDXDraw.Options() &
                     static_cast<engine::TDXDrawOptions>(~engine::OptionBit(engine::doFullScreen)));
  MDXDraw.Initialize();
}

// The sound list plays the effect once the resource files are loaded; the names started
// are kept for the simulator's trace either way.
void TMForm::PlayEffect(const std::string& name) {
  if (!Options.Sounds) return;
  if (RecordSounds) SoundsStarted.push_back(name);
}
