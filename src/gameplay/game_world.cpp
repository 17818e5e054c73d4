#include "gameplay/game.h"

#include "engine/dx_draw.h"
#include "engine/dx_image_list.h"
#include "engine/sprite_engine.h"

namespace gameplay {

int TGame::RandomBelow(int n) {
  if (n <= 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(random_);
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
