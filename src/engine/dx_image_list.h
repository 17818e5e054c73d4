#pragma once

#include "engine/dx_draw.h"
#include "engine/picture_collection.h"

namespace engine {

// The form's image list: a picture collection that follows its display, getting surfaces
// when the display is initialised and rebuilding them when the display asks.
class TDXImageList : public TDXDrawListener {
 public:
  explicit TDXImageList(TDXDraw* display = nullptr) { SetDXDraw(display); }
  ~TDXImageList() override { SetDXDraw(nullptr); }
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  TDXDraw* DXDraw() const { return display_; }
  void SetDXDraw(TDXDraw* display);

  TPictureCollection Items;

  void DXDrawNotify(TDXDraw& sender, TDXDrawNotifyType kind) override;

 private:
  TDXDraw* display_ = nullptr;
};

}  // namespace engine
