#include "engine/dx_draw.h"

#include <algorithm>

#include "engine/dx_form.h"
#include "engine/engine_error.h"

namespace engine {

namespace {

constexpr TDXDrawOptions kWindowedCleared =
    MakeOptions(doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip);
constexpr TDXDrawOptions kWithout3DCleared =
    MakeOptions(doDirectX7Mode, doRetainedMode, doHardware, doSelectDriver, doZBuffer);
constexpr TDXDrawOptions kChangeableWhileInitialized =
    MakeOptions(doWaitVBlank, doStretch, doCenter);

bool In(TDXDrawOptions set, TDXDrawOption option) {
  return (set & OptionBit(option)) != 0;
}

}  // namespace

TDXDraw::TDXDraw(TDXForm* parentForm) : parentForm_(parentForm) {
  DeriveNowOptions();
}

TDXDraw::~TDXDraw() {
  Notify(TDXDrawNotifyType::Destroying);
  Finalize();
}

void TDXDraw::SetBitCount(int bitCount) {
  if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
    throw EDXDrawError("Display requires 8, 16, 24 or 32 bits");
  }
  bitCount_ = bitCount;
}

void TDXDraw::SetOptions(TDXDrawOptions options) {
  options_ = options;
  if (!initialized_) {
    DeriveNowOptions();
    return;
  }
  nowOptions_ = static_cast<TDXDrawOptions>((nowOptions_ & ~kChangeableWhileInitialized) |
                                            (options & kChangeableWhileInitialized));
  if (!In(nowOptions_, do3D)) {
    nowOptions_ &= static_cast<TDXDrawOptions>(
        ~MakeOptions(doRetainedMode, doHardware, doSelectDriver, doZBuffer));
  }
}

void TDXDraw::DeriveNowOptions() {
  TDXDrawOptions now = options_;
  if (!In(now, doFullScreen)) now &= static_cast<TDXDrawOptions>(~kWindowedCleared);
  if (!In(now, do3D)) now &= static_cast<TDXDrawOptions>(~kWithout3DCleared);
  if (In(now, doSystemMemory)) now &= static_cast<TDXDrawOptions>(~OptionBit(doFlip));
  if (In(now, doDirectX7Mode)) now &= static_cast<TDXDrawOptions>(~OptionBit(doRetainedMode));
  now &= static_cast<TDXDrawOptions>(~OptionBit(doHardware));
  nowOptions_ = now;
}

void TDXDraw::RegisterNotify(TDXDrawListener& listener) {
  UnregisterNotify(listener);
  listeners_.push_back(&listener);
  listener.DXDrawNotify(*this, TDXDrawNotifyType::SizeChanged);
  if (!initialized_) return;
  listener.DXDrawNotify(*this, TDXDrawNotifyType::Initialize);
  if (surfacesInitialized_) listener.DXDrawNotify(*this, TDXDrawNotifyType::InitializeSurface);
  if (!initializing_) listener.DXDrawNotify(*this, TDXDrawNotifyType::Restore);
}

void TDXDraw::UnregisterNotify(TDXDrawListener& listener) {
  std::erase(listeners_, &listener);
}

void TDXDraw::Notify(TDXDrawNotifyType kind) {
  // Last registered first; a listener may unregister itself while being told.
  const std::vector<TDXDrawListener*> snapshot = listeners_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (std::find(listeners_.begin(), listeners_.end(), *it) != listeners_.end()) {
      (*it)->DXDrawNotify(*this, kind);
    }
  }
}

void TDXDraw::Initialize() {
  initializing_ = true;
  try {
    if (initialized_) Finalize();
    if (!parentForm_) throw EDXDrawError("Form not found");
    Fire(OnInitializing);
    Notify(TDXDrawNotifyType::Initializing);
    CreateDisplay();
  } catch (...) {
    initializing_ = false;
    Finalize();
    throw;
  }
  initialized_ = true;
  Notify(TDXDrawNotifyType::SizeChanged);
  Notify(TDXDrawNotifyType::Initialize);
  Fire(OnInitialize);
  surfacesInitialized_ = true;
  Notify(TDXDrawNotifyType::InitializeSurface);
  Fire(OnInitializeSurface);
  initializing_ = false;
  SendRestored();
}

void TDXDraw::CreateDisplay() {
  pageFlipping_ = Has(doFlip);
  platform::TDisplayRequest request{Has(doFullScreen), DisplayWidth, DisplayHeight, bitCount_};
  if (!parentForm_->Platform().DisplayInitialize(request)) {
    if (request.fullScreen) {
      throw EDXDrawError(Format("Display mode cannot be changed (%dx%d %dbit)", DisplayWidth,
                                DisplayHeight, bitCount_));
    }
    throw EDXDrawError(Format("%s cannot be made", "Primary Surface"));
  }
  if (AutoSize) {
    SurfaceWidth = Width;
    SurfaceHeight = Height;
  }
  // The back surface is the one the game writes its texts on, in the platform's fonts.
  surface_ = std::make_unique<TDirectDrawSurface>(
      std::max(SurfaceWidth, 1), std::max(SurfaceHeight, 1), parentForm_->Platform().Fonts());
  surface_->Fill(0);
}

void TDXDraw::Finalize() {
  if (!initialized_ && !surface_) return;
  if (initialized_) {
    if (surfacesInitialized_) {
      Notify(TDXDrawNotifyType::FinalizeSurface);
      Fire(OnFinalizeSurface);
    }
    Notify(TDXDrawNotifyType::Finalize);
    Fire(OnFinalize);
  }
  initialized_ = false;
  surfacesInitialized_ = false;
  DeriveNowOptions();
  surface_.reset();
  if (parentForm_) parentForm_->Platform().DisplayFinalize();
}

void TDXDraw::SendRestored() {
  Notify(TDXDrawNotifyType::Restore);
  Fire(OnRestoreSurface);
}

bool TDXDraw::RestoreIfLost() {
  platform::TPlatform& platform = parentForm_->Platform();
  if (!platform.TargetLost()) return true;
  initializing_ = true;
  const bool restored = platform.RestoreTarget();
  initializing_ = false;
  if (restored) SendRestored();
  return restored && !platform.TargetLost();
}

bool TDXDraw::CanDraw() {
  if (!initialized_ || initializing_ || !surface_) return false;
  return RestoreIfLost();
}

void TDXDraw::Flip() {
  if (!CanDraw()) return;
  // Full screen flips only while the game is the active application.
  if (pageFlipping_ && !parentForm_->Platform().AppActive()) return;
  parentForm_->Platform().Present(surface_->Pixels(), surface_->Width(), surface_->Height());
}

// The back surface still holds the last frame flipped.
void TDXDraw::Repaint() {
  if (!CanDraw()) return;
  parentForm_->Platform().Present(surface_->Pixels(), surface_->Width(), surface_->Height());
}

}  // namespace engine
