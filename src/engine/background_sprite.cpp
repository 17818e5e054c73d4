#include "engine/background_sprite.h"

#include <algorithm>
#include <cmath>

#include "engine/sprite_engine.h"

namespace engine {

namespace {

int32_t Round(double v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

}  // namespace

TBackgroundSprite::TBackgroundSprite(TSprite* parent) : TSprite(parent) {
  CanHit = false;
}

void TBackgroundSprite::SetImage(TPictureCollectionItem* item) {
  image_ = item;
  Width = item ? item->Width() * mapWidth_ : 0;
  Height = item ? item->Height() * mapHeight_ : 0;
}

void TBackgroundSprite::SetMapSize(int32_t width, int32_t height) {
  if (width == mapWidth_ && height == mapHeight_) return;
  if (width <= 0 || height <= 0) width = height = 0;
  mapWidth_ = width;
  mapHeight_ = height;
  const size_t cells = static_cast<size_t>(width) * height;
  chips_.assign(cells, 0);
  hitMap_.assign(cells, 1);
}

int32_t TBackgroundSprite::Chip(int32_t column, int32_t row) const {
  return InMap(column, row) ? chips_[Cell(column, row)] : -1;
}

void TBackgroundSprite::SetChip(int32_t column, int32_t row, int32_t pattern) {
  if (InMap(column, row)) chips_[Cell(column, row)] = pattern;
}

bool TBackgroundSprite::HitCell(int32_t column, int32_t row) const {
  return InMap(column, row) && hitMap_[Cell(column, row)] != 0;
}

void TBackgroundSprite::SetHitCell(int32_t column, int32_t row, bool hit) {
  if (InMap(column, row)) hitMap_[Cell(column, row)] = hit ? 1 : 0;
}

void TBackgroundSprite::Render() {
  if (!image_ || mapWidth_ <= 0 || mapHeight_ <= 0 || !Engine() || !Engine()->Surface()) return;
  const TRect chip = image_->PatternRect(0);
  const int32_t cw = chip.Width(), ch = chip.Height();
  if (cw <= 0 || ch <= 0) return;  // no surfaces yet
  const TRect& surface = Engine()->SurfaceRect();
  const int32_t dW = (surface.Right + cw) / cw + 1;
  const int32_t dH = (surface.Bottom + ch) / ch + 1;
  const int32_t x = Round(WorldX()), y = Round(WorldY());
  const int32_t offX = x % cw, offY = y % ch;
  int32_t sx = x / cw, sx0 = 0;
  if (sx < 0) {
    sx0 = -sx;
    sx = 0;
  }
  int32_t sy = y / ch, sy0 = 0;
  if (sy < 0) {
    sy0 = -sy;
    sy = 0;
  }
  TDirectDrawSurface& dest = *Engine()->Surface();
  auto draw = [&](int32_t cx, int32_t cy, int32_t pattern) {
    if (pattern >= 0) image_->Draw(dest, cx * cw + offX, cy * ch + offY, pattern);
  };
  if (Tiled) {
    for (int32_t cy = -1; cy <= dH; ++cy)
      for (int32_t cx = -1; cx <= dW; ++cx)
        draw(cx, cy, Chip(Mod2(cx - sx + sx0, mapWidth_), Mod2(cy - sy + sy0, mapHeight_)));
    return;
  }
  const int32_t ex = std::min(sx + mapWidth_ - sx0, dW);
  const int32_t ey = std::min(sy + mapHeight_ - sy0, dH);
  for (int32_t cy = sy; cy < ey; ++cy)
    for (int32_t cx = sx; cx < ex; ++cx) draw(cx, cy, Chip(cx - sx + sx0, cy - sy + sy0));
}

TRect TBackgroundSprite::BoundsRect() const {
  if (Tiled && Engine()) return Engine()->SurfaceRect();
  if (!image_) return {};
  return Bounds(Round(WorldX()), Round(WorldY()), image_->Width() * mapWidth_,
                image_->Height() * mapHeight_);
}

bool TBackgroundSprite::HitTest(const TSprite& other) const {
  if (!image_ || mapWidth_ <= 0 || mapHeight_ <= 0) return true;
  const int32_t cw = image_->Width(), ch = image_->Height();
  if (cw <= 0 || ch <= 0) return true;
  const TRect mine = BoundsRect();
  const TRect theirs = other.BoundsRect();
  // The overlap of the two rectangles, measured from the map's origin.
  const int32_t originX = Round(WorldX()), originY = Round(WorldY());
  const int32_t left = std::max(mine.Left, theirs.Left) - originX;
  const int32_t top = std::max(mine.Top, theirs.Top) - originY;
  const int32_t right = std::min(mine.Right, theirs.Right) - originX;
  const int32_t bottom = std::min(mine.Bottom, theirs.Bottom) - originY;
  if (right <= left || bottom <= top) return false;
  const auto floorDiv = [](int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  for (int32_t row = floorDiv(top, ch); row * ch < bottom; ++row) {
    for (int32_t column = floorDiv(left, cw); column * cw < right; ++column) {
      if (!HitCell(Mod2(column, mapWidth_), Mod2(row, mapHeight_))) continue;
      const TRect cell = Bounds(originX + column * cw, originY + row * ch, cw, ch);
      if (Overlap(cell, theirs)) return true;
    }
  }
  return false;
}

}  // namespace engine
