#include "engine/image_sprite.h"

#include <algorithm>
#include <cmath>

#include "engine/sprite_engine.h"

namespace engine {

namespace {

int32_t Round(double v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

// A rectangle cut to the size of the area it lies in, measured from (0, 0).
TRect ClipTo(TRect r, int32_t width, int32_t height) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, width);
  r.Bottom = std::min(r.Bottom, height);
  return r;
}

}  // namespace

void TImageSprite::SetImage(TPictureCollectionItem* item) {
  image_ = item;
  Width = item ? item->Width() : 0;
  Height = item ? item->Height() : 0;
}

int32_t TImageSprite::PatternIndex() const {
  return AnimFirst + Round(AnimFrame);
}

void TImageSprite::Step(int32_t lag) {
  AnimFrame += lag * AnimRate;
  if (AnimLoop) {
    if (AnimFrames > 0) {
      // The remainder as the game has always formed it: the whole turns as a 64-bit integer.
      const int64_t turns = static_cast<int64_t>(std::nearbyint(AnimFrame / AnimFrames));
      AnimFrame -= static_cast<double>(turns * AnimFrames);
      if (AnimFrame < 0) AnimFrame += AnimFrames;
    } else {
      AnimFrame = 0;
    }
    return;
  }
  if (AnimFrame >= AnimFrames) {
    AnimFrame = AnimFrames - 1;
    AnimRate = 0;
  }
  if (AnimFrame < 0) {
    AnimFrame = 0;
    AnimRate = 0;
  }
}

TRect TImageSprite::BoundsRect() const {
  int32_t x = Round(WorldX());
  int32_t y = Round(WorldY());
  if (Tiled && Engine()) {
    const TRect& s = Engine()->SurfaceRect();
    if (s.Right + Width > 0) {
      x = Mod2(x, s.Right + Width);
      if (s.Right < x) x -= s.Right + Width;
    }
    if (s.Bottom + Height > 0) {
      y = Mod2(y, s.Bottom + Height);
      if (s.Bottom < y) y -= s.Bottom + Height;
    }
  }
  return Bounds(x, y, Width, Height);
}

TRect TImageSprite::DrawRect() const {
  TRect r = BoundsRect();
  if (!image_) return r;
  const int32_t dx = (Width - image_->Width()) / 2;
  const int32_t dy = (Height - image_->Height()) / 2;
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

void TImageSprite::Render() {
  if (!image_ || !Engine() || !Engine()->Surface()) return;
  const TRect r = DrawRect();
  image_->Draw(*Engine()->Surface(), r.Left, r.Top, PatternIndex());
}

bool TImageSprite::HitTest(const TSprite& other) const {
  const auto* sprite = dynamic_cast<const TImageSprite*>(&other);
  if (!sprite || !PixelHit || !image_ || !sprite->image_) return true;
  const TRect a = DrawRect();
  const TRect b = sprite->DrawRect();
  return PatternsTouch(*image_, PatternIndex(), a.Left, a.Top, *sprite->image_,
                       sprite->PatternIndex(), b.Left, b.Top);
}

bool PatternsTouch(const TPictureCollectionItem& item1, int pattern1, int x1, int y1,
                   const TPictureCollectionItem& item2, int pattern2, int x2, int y2) {
  const TRect p1 = item1.PatternRect(pattern1);
  const TRect p2 = item2.PatternRect(pattern2);
  const bool overlap = Overlap(Bounds(0, 0, p1.Width(), p1.Height()),
                               Bounds(x2 - x1, y2 - y1, p2.Width(), p2.Height()));
  const TDirectDrawSurface* s1 = item1.PatternSurface(pattern1);
  const TDirectDrawSurface* s2 = item2.PatternSurface(pattern2);
  if (!s1 || !s2 || !overlap) return overlap;
  TRect r1 = ClipTo(Bounds(std::max(x2 - x1, 0), std::max(y2 - y1, 0), p1.Width(), p1.Height()),
                    p1.Width(), p1.Height());
  TRect r2 = ClipTo(Bounds(std::max(x1 - x2, 0), std::max(y1 - y2, 0), p2.Width(), p2.Height()),
                    p2.Width(), p2.Height());
  const int32_t w = std::min(r1.Width(), r2.Width());
  const int32_t h = std::min(r1.Height(), r2.Height());
  const uint32_t key1 = s1->TransparentColor();
  const uint32_t key2 = s2->TransparentColor();
  // A pattern reaching past its surface (gaps that overlap cells) reads nothing outside it.
  auto inside = [](const TDirectDrawSurface& s, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < s.Width() && y < s.Height();
  };
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const int32_t ax = p1.Left + r1.Left + x, ay = p1.Top + r1.Top + y;
      const int32_t bx = p2.Left + r2.Left + x, by = p2.Top + r2.Top + y;
      if (!inside(*s1, ax, ay) || !inside(*s2, bx, by)) continue;
      if (s1->Pixel(ax, ay) != key1 && s2->Pixel(bx, by) != key2) return true;
    }
  }
  return false;
}

}  // namespace engine
