#include "image_set.h"

#include "art.h"
#include "engine/colour_names.h"

namespace assetgen {

namespace {

constexpr int32_t kKeyColour = 0xFF00FF;  // clFuchsia, 0x00BBGGRR

}  // namespace

void AddImage(engine::TPictureCollection& list, const TDrawnImage& image) {
  const TLayout& l = image.layout;
  const int cellWidth = l.patternWidth + l.skipWidth;
  const int cellHeight = l.patternHeight + l.skipHeight;
  TArt art(l.columns * cellWidth - l.skipWidth, l.rows * cellHeight - l.skipHeight);
  for (int row = 0; row < l.rows; ++row) {
    for (int column = 0; column < l.columns; ++column) {
      cairo_t* cr = art.Cr();
      cairo_save(cr);
      cairo_translate(cr, column * cellWidth, row * cellHeight);
      cairo_rectangle(cr, 0, 0, l.patternWidth, l.patternHeight);
      cairo_clip(cr);
      image.draw(cr, row * l.columns + column);
      cairo_restore(cr);
    }
  }
  engine::TPictureCollectionItem& item = list.Add();
  item.SetName(image.name);
  item.PatternWidth = image.wholePicture ? 0 : l.patternWidth;
  item.PatternHeight = image.wholePicture ? 0 : l.patternHeight;
  item.SkipWidth = l.skipWidth;
  item.SkipHeight = l.skipHeight;
  item.SystemMemory = image.systemMemory;
  item.Transparent = image.transparent;
  item.SetTransparentColor(kKeyColour);
  item.Picture = engine::TDIB::FromPixels(art.Width(), art.Height(),
                                          image.transparent ? art.Keyed() : art.Opaque());
}

TDrawnImage Single(const std::string& name, int width, int height, TDrawFrame draw) {
  TDrawnImage image;
  image.name = name;
  image.layout = {width, height};
  image.draw = std::move(draw);
  image.wholePicture = true;
  return image;
}

TDrawnImage Strip(const std::string& name, int width, int height, int count, TDrawFrame draw) {
  TDrawnImage image;
  image.name = name;
  image.layout = {width, height, count, 1};
  image.draw = std::move(draw);
  return image;
}

}  // namespace assetgen
