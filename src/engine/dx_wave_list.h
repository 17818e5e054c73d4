#pragma once

#include "engine/dx_sound.h"
#include "engine/wave_collection.h"

namespace engine {

// The form's sound list: a wave collection that follows its sound device.
class TDXWaveList : public TDXSoundListener {
 public:
  explicit TDXWaveList(TDXSound* device = nullptr) { SetDXSound(device); }
  ~TDXWaveList() override { SetDXSound(nullptr); }
  TDXWaveList(const TDXWaveList&) = delete;
  TDXWaveList& operator=(const TDXWaveList&) = delete;

  TDXSound* DXSound() const { return device_; }
  void SetDXSound(TDXSound* device);

  TWaveCollection Items;

  void DXSoundNotify(TDXSound& sender, TDXSoundNotifyType kind) override;

 private:
  TDXSound* device_ = nullptr;
};

}  // namespace engine
