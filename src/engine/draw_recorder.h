#pragma once

#include <string>

#include "engine/rect.h"

namespace engine {

// Told of every text and picture put on a surface that has one, with the box its visible
// pixels cover: a caller can check where things landed without reading pixels back.
class TDrawRecorder {
 public:
  virtual ~TDrawRecorder() = default;
  // ink: the covered pixels of the text (empty for a text without ink, such as blanks).
  virtual void TextDrawn(const std::string& cp1251, const TRect& ink) = 0;
  // where: the rectangle the picture was drawn to; ink: its pixels that are not transparent
  // (the whole of where for stretched and turned copies).
  virtual void PictureDrawn(const std::string& name, const TRect& where, const TRect& ink) = 0;
};

}  // namespace engine
