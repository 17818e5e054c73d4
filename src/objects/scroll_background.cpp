#include "objects/scroll_background.h"

#include "objects/my_image_sprite.h"
#include "objects/world.h"

TScrollBackground::TScrollBackground(objects::TWorld& world, uint8_t list, const std::string& name,
                                     int32_t mapColumns, int32_t mapRows)
    : engine::TBackgroundSprite(&world.SpriteRoot()), world_(world) {
  SetMapSize(mapColumns, mapRows);
  ImageListNo = list;
  SetImageByName(name);
  X = 0;
  Y = 0;
  SetZ(2);
  Tiled = false;
}

void TScrollBackground::SetImageByName(const std::string& name) {
  engine::TPictureCollectionItem* item = FindListImage(world_, ImageListNo, name);
  if (!item) return;
  SetImage(item);
  // The sprite's size is one tile; the map repeats it.
  Width = item->Width();
  Height = item->Height();
}

void TScrollBackground::SetImageFrom(const std::string& name, uint8_t list) {
  ImageListNo = list;
  SetImageByName(name);
}

void TScrollBackground::KillOnce() {
  if (KillRequested) return;
  Kill();
  KillRequested = true;
}

void TScrollBackground::Step(int32_t /*lag*/) {
  X += SpeedX * world_.SpeedFactor;
  Y += SpeedY * world_.SpeedFactor;
  if (Image() && X < -Image()->Width()) X += Image()->Width();
}
