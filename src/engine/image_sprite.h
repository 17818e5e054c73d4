#pragma once

#include "engine/picture_collection.h"
#include "engine/sprite.h"

namespace engine {

// A sprite that draws one pattern of an image-list item and animates through its patterns.
class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* parent) : TSprite(parent) {}

  int32_t AnimFrames = 0;
  bool AnimLoop = false;
  double AnimFrame = 0;
  double AnimRate = 0;  // patterns a millisecond of lag
  int32_t AnimFirst = 0;
  bool PixelHit = false;
  bool Tiled = false;  // wraps round the surface's edges

  TPictureCollectionItem* Image() const { return image_; }
  virtual void SetImage(TPictureCollectionItem* item);

  int32_t PatternIndex() const;
  TRect DrawRect() const;

  void Render() override;
  void Step(int32_t lag) override;
  TRect BoundsRect() const override;
  bool HitTest(const TSprite& other) const override;

 private:
  TPictureCollectionItem* image_ = nullptr;
};

// Whether two drawn patterns share a pixel that neither surface's colour key leaves out.
bool PatternsTouch(const TPictureCollectionItem& item1, int pattern1, int x1, int y1,
                   const TPictureCollectionItem& item2, int pattern2, int x2, int y2);

}  // namespace engine
