#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/surface.h"

namespace engine {

class TDXDraw;
class TDXForm;

enum TDXDrawOption : int {
  doFullScreen = 0,
  doNoWindowChange,
  doAllowReboot,
  doWaitVBlank,
  doAllowPalette256,
  doSystemMemory,
  doStretch,
  doCenter,
  doFlip,
  do3D,
  doDirectX7Mode,
  doRetainedMode,
  doHardware,
  doSelectDriver,
  doZBuffer,
};

// A set of options, one bit an option in the order above.
using TDXDrawOptions = uint16_t;
constexpr TDXDrawOptions OptionBit(TDXDrawOption option) {
  return static_cast<TDXDrawOptions>(1u << option);
}
template <typename... T>
constexpr TDXDrawOptions MakeOptions(T... options) {
  return static_cast<TDXDrawOptions>((0u | ... | OptionBit(options)));
}

enum class TDXDrawNotifyType : int {
  Destroying = 0,
  Initializing = 1,
  Initialize = 2,
  InitializeSurface = 3,
  Finalize = 4,
  FinalizeSurface = 5,
  Restore = 6,
  SizeChanged = 7,
};

class TDXDrawListener {
 public:
  virtual ~TDXDrawListener() = default;
  virtual void DXDrawNotify(TDXDraw& sender, TDXDrawNotifyType kind) = 0;
};

// The display: owns the back surface everything is drawn on, presents it once a frame in a
// window or full screen, restores it after the platform lost it, and tells its listeners
// (image lists, the sprite engine) when surfaces come and go.
class TDXDraw {
 public:
  static constexpr TDXDrawOptions kFormOptions =
      MakeOptions(doAllowReboot, doWaitVBlank, doStretch, doCenter, doFlip, doDirectX7Mode,
                  doRetainedMode, doHardware, doSelectDriver);

  explicit TDXDraw(TDXForm* parentForm);
  ~TDXDraw();
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  int DisplayWidth = 800;
  int DisplayHeight = 600;
  int BitCount() const { return bitCount_; }
  void SetBitCount(int bitCount);
  bool AutoSize = true;
  int Width = 800;  // the component's size in the form
  int Height = 600;
  int SurfaceWidth = 800;
  int SurfaceHeight = 600;

  TDXDrawOptions Options() const { return options_; }
  void SetOptions(TDXDrawOptions options);
  TDXDrawOptions NowOptions() const { return nowOptions_; }
  bool Has(TDXDrawOption option) const { return (nowOptions_ & OptionBit(option)) != 0; }

  void Initialize();
  void Finalize();
  bool CanDraw();
  void Flip();
  // Presents the back surface again, as the window must be painted while no frame runs.
  void Repaint();
  bool Initialized() const { return initialized_; }
  bool SurfacesInitialized() const { return surfacesInitialized_; }
  bool Initializing() const { return initializing_; }
  TDirectDrawSurface& Surface() { return *surface_; }
  bool HasSurface() const { return surface_ != nullptr; }
  // Presenting by page flips (full screen) rather than by copying to the window.
  bool PageFlipping() const { return pageFlipping_; }

  void RegisterNotify(TDXDrawListener& listener);
  void UnregisterNotify(TDXDrawListener& listener);

  std::function<void()> OnInitializing, OnInitialize, OnInitializeSurface, OnFinalize,
      OnFinalizeSurface, OnRestoreSurface;

 private:
  void Notify(TDXDrawNotifyType kind);
  void DeriveNowOptions();
  void CreateDisplay();
  bool RestoreIfLost();
  void SendRestored();
  static void Fire(const std::function<void()>& event) {
    if (event) event();
  }

  TDXForm* parentForm_;
  int bitCount_ = 16;
  TDXDrawOptions options_ = kFormOptions;
  TDXDrawOptions nowOptions_ = 0;
  bool initialized_ = false;
  bool surfacesInitialized_ = false;
  bool initializing_ = false;
  bool pageFlipping_ = false;
  std::unique_ptr<TDirectDrawSurface> surface_;
  std::vector<TDXDrawListener*> listeners_;
};

}  // namespace engine
