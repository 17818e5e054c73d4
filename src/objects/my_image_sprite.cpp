#include "objects/my_image_sprite.h"

#include "engine/dx_image_list.h"
#include "objects/world.h"

namespace {

constexpr int kOpaque = 255;

}  // namespace

engine::TPictureCollectionItem* FindListImage(objects::TWorld& world, uint8_t list,
                                              const std::string& name) {
  engine::TDXImageList* images = world.ImageList(list);
  return images ? &images->Items.FindImage(name) : nullptr;
}

TMyImageSprite::TMyImageSprite(objects::TWorld& world, uint8_t list)
    : engine::TImageSprite(&world.SpriteRoot()), ImageListNo(list), world_(world) {
  AnimLoop = true;
  if (Image()) AnimFrames = Image()->PatternCount();
}

TMyImageSprite::TMyImageSprite(objects::TWorld& world, uint8_t list, const std::string& name,
                               double x, double y, int32_t z)
    : TMyImageSprite(world, list) {
  SetImageByName(name);
  X = x;
  Y = y;
  SetZ(z);
}

void TMyImageSprite::PlayEffectFromHere(const std::string& name) {
  world_.PlayEffect(name, X + Width / 2.0);
}

void TMyImageSprite::SetImageByName(const std::string& name) {
  engine::TPictureCollectionItem* item = FindListImage(world_, ImageListNo, name);
  if (!item) return;
  SetImage(item);
  Width = item->Width();
  Height = item->Height();
  AnimFrame = 0;
  LastAnimFrame = 0;
  AnimFrames = item->PatternCount();
}

void TMyImageSprite::PlayLoop(const std::string& name, int speed) {
  SetImageByName(name);
  AnimFrame = 0;
  LastAnimFrame = 0;
  AnimLoop = true;
  AnimFrames = Image() ? Image()->PatternCount() : 0;
  AnimSpeed = speed;
}

void TMyImageSprite::PlayOnce(const std::string& name, int speed) {
  PlayLoop(name, speed);
  HideAtEnd = true;
}

void TMyImageSprite::KillOnce() {
  if (KillRequested) return;
  Kill();
  KillRequested = true;
}

void TMyImageSprite::Step(int32_t lag) {
  engine::TImageSprite::Step(lag);
  // Rounding would otherwise show the pattern past the last one.
  if (AnimFrame > AnimFrames - 0.5) AnimFrame = 0;
  const bool wrapped = AnimFrame < LastAnimFrame;
  if (KillAtEnd && wrapped) KillOnce();
  if (HideAtEnd && wrapped) Visible = false;
  LastAnimFrame = AnimFrame;
  // The new rate is used from the next step on.
  if (AnimSpeed > 0) AnimRate = (1.0 / world_.FrameMs) * AnimSpeed / 100;
}

void TMyImageSprite::Render() {
  if (!Blended || Alpha == kOpaque) {
    engine::TImageSprite::Render();
    return;
  }
  engine::TDirectDrawSurface* surface = world_.DrawSurface();
  if (!Image() || !surface) return;
  const engine::TRect rect{static_cast<int32_t>(X), static_cast<int32_t>(Y),
                           static_cast<int32_t>(X + Width), static_cast<int32_t>(Y + Height)};
  Image()->DrawAlpha(*surface, rect, static_cast<int>(AnimFrame), Alpha);
}
