#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace engine {

enum class TBorderStyle { None, Single };

// The form base class of the display: a window with a caption and a border that can store
// its placement before a full-screen period and put it back afterwards.
class TDXForm {
 public:
  explicit TDXForm(platform::TPlatform& platform) : platform_(platform) {}
  virtual ~TDXForm() = default;

  platform::TPlatform& Platform() const { return platform_; }

  void SetCaption(const std::string& utf8Caption) { platform_.SetTitle(utf8Caption); }
  void SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    platform_.SetBordered(style == TBorderStyle::Single);
  }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  // Centring takes effect when the window is first shown, so a restored placement stands.
  void SetPositionCentered() { platform_.SetCentered(true); }

  // A window not shown yet has no placement to keep; it is centred when it first appears.
  void SaveWindowPlacement() {
    const platform::TWindowPlacement placement = platform_.GetWindowPlacement();
    if (placement.width > 0 && placement.height > 0) placement_ = placement;
  }
  // Restoring clears the stored placement; with none stored it does nothing.
  void RestoreWindowPlacement() {
    if (!placement_) return;
    platform_.SetWindowPlacement(*placement_);
    placement_.reset();
  }
  bool PlacementStored() const { return placement_.has_value(); }

 private:
  platform::TPlatform& platform_;
  TBorderStyle borderStyle_ = TBorderStyle::Single;
  std::optional<platform::TWindowPlacement> placement_;
};

}  // namespace engine
