#include "engine/dx_image_list.h"

namespace engine {

void TDXImageList::SetDXDraw(TDXDraw* display) {
  if (display_ == display) return;
  if (display_) {
    display_->UnregisterNotify(*this);
    Items.Finalize();
  }
  display_ = display;
  if (display_) display_->RegisterNotify(*this);
}

void TDXImageList::DXDrawNotify(TDXDraw& sender, TDXDrawNotifyType kind) {
  switch (kind) {
    case TDXDrawNotifyType::Destroying:
      Items.Finalize();
      display_ = nullptr;
      break;
    case TDXDrawNotifyType::Initialize:
      Items.Initialize(sender);
      break;
    case TDXDrawNotifyType::Finalize:
      Items.Finalize();
      break;
    case TDXDrawNotifyType::Restore:
      Items.Restore();
      break;
    default:
      break;
  }
}

}  // namespace engine
