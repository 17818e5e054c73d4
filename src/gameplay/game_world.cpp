#include "gameplay/game.h"

#include "engine/dx_draw.h"
#include "engine/dx_image_list.h"
#include "engine/sprite_engine.h"

namespace gameplay {

// A number below n by multiplying a word of the generator by n and keeping the high half,
// drawing again in the rare case that would favour some numbers over others (D. Lemire, "Fast
// random integer generation in an interval", 2019). Written out here rather than left to a
// standard-library distribution, whose results differ from library to library: a replay must
// draw the same numbers wherever it is played.
int TGame::RandomBelow(int n) {
  if (n <= 1) return 0;
  const auto range = static_cast<uint32_t>(n);
  auto draw = [this, range] { return uint64_t{static_cast<uint32_t>(random_())} * range; };
  uint64_t product = draw();
  if (static_cast<uint32_t>(product) < range) {
    const uint32_t threshold = (0u - range) % range;
    while (static_cast<uint32_t>(product) < threshold) product = draw();
  }
  return static_cast<int>(product >> 32);
}

engine::TSprite& TGame::SpriteRoot() {
  return parts_.Sprites.Engine();
}

engine::TDXImageList* TGame::ImageList(uint8_t list) {
  if (list == 1) return &parts_.Images1;
  if (list == 2) return &parts_.Images2;
  return nullptr;
}

engine::TDirectDrawSurface* TGame::DrawSurface() {
  return parts_.Draw.HasSurface() ? &parts_.Draw.Surface() : nullptr;
}

platform::TPoint TGame::PointerPos() {
  return parts_.Platform.GetCursorPos();
}

void TGame::MovePointerTo(platform::TPoint p) {
  parts_.Platform.SetCursorPos(p);
}

platform::TPoint TGame::WindowPos() {
  return parts_.Platform.GetWindowPos();
}

}  // namespace gameplay
