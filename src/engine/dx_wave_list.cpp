#include "engine/dx_wave_list.h"

namespace engine {

void TDXWaveList::SetDXSound(TDXSound* device) {
  if (device_ == device) return;
  if (device_) {
    device_->UnregisterNotify(*this);
    Items.Finalize();
  }
  device_ = device;
  if (device_) device_->RegisterNotify(*this);
}

void TDXWaveList::DXSoundNotify(TDXSound& sender, TDXSoundNotifyType kind) {
  switch (kind) {
    case TDXSoundNotifyType::Destroying:
      Items.Finalize();
      device_ = nullptr;
      break;
    case TDXSoundNotifyType::Initialize:
      Items.Initialize(sender);
      break;
    case TDXSoundNotifyType::Finalize:
      Items.Finalize();
      break;
    case TDXSoundNotifyType::Restore:
      Items.Restore();
      break;
    default:
      break;
  }
}

}  // namespace engine
