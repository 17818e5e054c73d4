#include "engine/dx_sound.h"

#include <algorithm>

#include "engine/dx_form.h"
#include "engine/engine_error.h"
#include "platform/platform.h"

namespace engine {

TDXSound::TDXSound(TDXForm* parentForm) : parentForm_(parentForm) {}

TDXSound::~TDXSound() {
  Notify(TDXSoundNotifyType::Destroying);
  Finalize();
}

void TDXSound::Initialize() {
  Finalize();
  if (!parentForm_) throw EDXSoundError("Form not found");
  try {
    Notify(TDXSoundNotifyType::Initializing);
    Fire(OnInitializing);
    mixer_ = parentForm_->Platform().Mixer();
    if (!mixer_) throw EDirectSoundError(Format("%s cannot be initialized", "DirectSound"));
    initialized_ = true;
    Notify(TDXSoundNotifyType::Initialize);
    Fire(OnInitialize);
    Notify(TDXSoundNotifyType::Restore);
    Fire(OnRestore);
  } catch (...) {
    Finalize();
    throw;
  }
}

void TDXSound::Finalize() {
  if (initialized_) {
    Notify(TDXSoundNotifyType::Finalize);
    Fire(OnFinalize);
  }
  mixer_ = nullptr;
  initialized_ = false;
}

void TDXSound::Loaded() {
  if (!AutoInitialize) return;
  try {
    Initialize();
  } catch (const EDirectSoundError&) {
    // No sound on this machine: the game runs silently.
  }
}

void TDXSound::RestoreBuffers() {
  if (!initialized_) return;
  Notify(TDXSoundNotifyType::Restore);
  Fire(OnRestore);
}

void TDXSound::RegisterNotify(TDXSoundListener& listener) {
  UnregisterNotify(listener);
  listeners_.push_back(&listener);
  if (!initialized_) return;
  listener.DXSoundNotify(*this, TDXSoundNotifyType::Initialize);
  listener.DXSoundNotify(*this, TDXSoundNotifyType::Restore);
}

void TDXSound::UnregisterNotify(TDXSoundListener& listener) {
  std::erase(listeners_, &listener);
}

void TDXSound::Notify(TDXSoundNotifyType kind) {
  // Last registered first; a listener may unregister itself while being told.
  const std::vector<TDXSoundListener*> listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    if (std::find(listeners_.begin(), listeners_.end(), *it) != listeners_.end())
      (*it)->DXSoundNotify(*this, kind);
}

}  // namespace engine
