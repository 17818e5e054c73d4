#include "app/data_files.h"
#include "app/form.h"
#include "app/replay_playback.h"

#include <chrono>

#include "engine/engine_error.h"
#include "objects/scroll_background.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "screens/main_menu.h"

namespace {

constexpr int kDisplayBitCount = 32;
constexpr uint8_t kImageList2 = 2;
constexpr int kSkyColumns = 4;
constexpr int kSkyDepth = 2;

}  // namespace

void TMForm::FormCreate() {
  MusicPending = false;
  const auto clockSeed =
      static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  Game.Seed(config_.seed.value_or(clockSeed));
  MDXImageList1.Items.LoadFromFile(platform::NativePath(kImageList1File));
  MDXImageList2.Items.LoadFromFile(platform::NativePath(kImageList2File));
  MDXWaveList.Items.LoadFromFile(platform::NativePath(kSoundListFile));
  rulesFingerprint_ = RulesFingerprintOfData();
  LoadSaveFiles();
  if (config_.fullScreen) Options.FullScreen = *config_.fullScreen;
  try {
    ApplyDisplayMode();
  } catch (const engine::EDXDrawError& error) {
    if (!MDXDraw.Initialized()) throw;  // not even a window: the game cannot start
    startupNotices_.push_back(error.what());
  }
  ShowWindowIcon();
  Sky = new TScrollBackground(Game, kImageList2, "SkyTile", kSkyColumns, 1);  // owned by the tree
  Sky->SetZ(kSkyDepth);
  Sky->SpeedX = 0;
  Sky->SpeedY = 0;
  screens_.Replace(std::make_unique<TMainMenu>(host_, 1, TMainMenu::kNewGame, true));
  for (const std::string& notice : startupNotices_) errors_.Tell(notice);
  startupNotices_.clear();
}

// A screen that refuses full screen leaves the game in its window, and the error says so.
void TMForm::ApplyDisplayMode() {
  MDXDraw.SetBitCount(kDisplayBitCount);
  if (!Options.FullScreen) {
    GoWindowed();
  } else {
    try {
      GoFullScreen();
    } catch (const engine::EDXDrawError&) {
      Options.FullScreen = false;
      GoWindowed();
      RefreshRate = Platform().RefreshRate();
      throw;
    }
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

// A sound already playing starts again from the beginning rather than overlapping. The names
// started are kept for the simulator's trace.
void TMForm::PlayEffect(const std::string& name, float pan) {
  if (!Options.Sounds) return;
  engine::TWaveCollectionItem& wave = MDXWaveList.Items.FindWave(name);
  wave.Stop();
  wave.Play(false, pan);
  if (RecordSounds) SoundsStarted.push_back(name);
}

// The window shows the duck the launcher shows, from the first image list; its transparent
// pixels stay clear.
void TMForm::ShowWindowIcon() {
  const engine::TPictureCollectionItem* icon = MDXImageList1.Items.Find("AppIcon");
  if (!icon || icon->Picture.Empty()) return;
  const uint32_t keyPixel = icon->TransparentPixel();
  std::vector<uint32_t> argb(icon->Picture.Pixels());
  for (uint32_t& p : argb) p = p == keyPixel ? 0 : 0xFF000000 | p;
  Platform().SetIcon(argb.data(), icon->Picture.Width(), icon->Picture.Height());
}
