#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {
class TMixer;
}

namespace engine {

class TDXForm;
class TDXSound;

enum TDXSoundOption : uint8_t {
  soGlobalFocus = 1 << 0,
  soStickyFocus = 1 << 1,
  soExclusive = 1 << 2,
};

enum class TDXSoundNotifyType : int {
  Destroying = 0,
  Initializing = 1,
  Initialize = 2,
  Finalize = 3,
  Restore = 4,
};

class TDXSoundListener {
 public:
  virtual ~TDXSoundListener() = default;
  virtual void DXSoundNotify(TDXSound& sender, TDXSoundNotifyType kind) = 0;
};

// The sound device: the platform's mixer while initialised. A machine without sound is no
// error: the device stays uninitialised and every sound list plays nothing.
class TDXSound {
 public:
  explicit TDXSound(TDXForm* parentForm);
  ~TDXSound();
  TDXSound(const TDXSound&) = delete;
  TDXSound& operator=(const TDXSound&) = delete;

  bool AutoInitialize = true;
  uint8_t Options = 0;
  std::function<void()> OnInitializing, OnInitialize, OnFinalize, OnRestore;

  // Raises EDXSoundError "Form not found" without a form and EDirectSoundError
  // "DirectSound cannot be initialized" without a sound device, finalised again.
  void Initialize();
  void Finalize();
  bool Initialized() const { return initialized_; }
  platform::TMixer* Mixer() const { return mixer_; }
  TDXForm* ParentForm() const { return parentForm_; }

  // What the form does once its components exist: initialise when AutoInitialize is set,
  // and on a machine without sound carry on silently.
  void Loaded();
  // The platform lost its buffers: listeners fill them again.
  void RestoreBuffers();

  void RegisterNotify(TDXSoundListener& listener);
  void UnregisterNotify(TDXSoundListener& listener);

 private:
  void Notify(TDXSoundNotifyType kind);
  static void Fire(const std::function<void()>& event) {
    if (event) event();
  }

  TDXForm* parentForm_;
  platform::TMixer* mixer_ = nullptr;
  bool initialized_ = false;
  std::vector<TDXSoundListener*> listeners_;
};

}  // namespace engine
