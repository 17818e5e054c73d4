#pragma once

#include <vector>

#include "engine/picture_collection.h"
#include "engine/sprite.h"

namespace engine {

// A rectangular map of image patterns (chips), drawn from its position; used for the
// scrolling sky and hills. A negative chip leaves its cell empty.
class TBackgroundSprite : public TSprite {
 public:
  explicit TBackgroundSprite(TSprite* parent);
  ~TBackgroundSprite() override { SetMapSize(0, 0); }

  bool Tiled = false;
  TPictureCollectionItem* Image() const { return image_; }
  void SetImage(TPictureCollectionItem* item);
  int32_t MapWidth() const { return mapWidth_; }
  int32_t MapHeight() const { return mapHeight_; }
  // Both maps made anew: every chip 0 and every cell hit; 0 × 0 when either size is not
  // positive.
  void SetMapSize(int32_t width, int32_t height);
  // Cells outside the map read −1 and no hit.
  int32_t Chip(int32_t column, int32_t row) const;
  void SetChip(int32_t column, int32_t row, int32_t pattern);
  bool HitCell(int32_t column, int32_t row) const;
  void SetHitCell(int32_t column, int32_t row, bool hit);

  void Render() override;
  TRect BoundsRect() const override;
  bool HitTest(const TSprite& other) const override;

 private:
  bool InMap(int32_t column, int32_t row) const {
    return column >= 0 && row >= 0 && column < mapWidth_ && row < mapHeight_;
  }
  size_t Cell(int32_t column, int32_t row) const {
    return static_cast<size_t>(row) * mapWidth_ + column;
  }

  TPictureCollectionItem* image_ = nullptr;
  int32_t mapWidth_ = 0;
  int32_t mapHeight_ = 0;
  std::vector<int32_t> chips_;
  std::vector<uint8_t> hitMap_;
};

}  // namespace engine
