#include "image_set.h"

#include "art.h"
#include "engine/colour_names.h"

namespace assetgen {

namespace {

constexpr int32_t kKeyColour = 0xFF00FF;  // clFuchsia, 0x00BBGGRR

}  // namespace

void AddImage(engine::TPictureCollection& list, const TImageSpec& spec) {
  const TLayout& l = spec.layout;
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
      spec.draw(cr, row * l.columns + column);
      cairo_restore(cr);
    }
  }
  engine::TPictureCollectionItem& item = list.Add();
  item.SetName(spec.name);
  item.PatternWidth = spec.wholePicture ? 0 : l.patternWidth;
  item.PatternHeight = spec.wholePicture ? 0 : l.patternHeight;
  item.SkipWidth = l.skipWidth;
  item.SkipHeight = l.skipHeight;
  item.SystemMemory = spec.systemMemory;
  item.Transparent = spec.transparent;
  item.SetTransparentColor(kKeyColour);
  item.Picture = engine::TDIB::FromPixels(art.Width(), art.Height(),
                                          spec.transparent ? art.Keyed() : art.Opaque());
}

TImageSpec Single(const std::string& name, int width, int height, TDrawFrame draw) {
  TImageSpec spec;
  spec.name = name;
  spec.layout = {width, height};
  spec.draw = [draw](cairo_t* cr, int frame) { draw(cr, frame); };
  spec.wholePicture = true;
  return spec;
}

TImageSpec Strip(const std::string& name, int width, int height, int count, TDrawFrame draw) {
  TImageSpec spec;
  spec.name = name;
  spec.layout = {width, height, count, 1};
  spec.draw = std::move(draw);
  return spec;
}

}  // namespace assetgen
