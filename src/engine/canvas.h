#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "platform/text_rasterizer.h"

namespace engine {

class TDirectDrawSurface;

// The font the canvas writes with: a face name, a size in points and a colour 0x00BBGGRR.
struct TFont {
  std::string Name = "Freeset";
  int Size = 10;
  uint32_t Color = 0;
};

// Text on a surface. Texts arrive as code page 1251 and are drawn antialiased over what is
// there, on a clear background. Each rendered line is kept, so a text drawn every frame costs
// one blend after the first time.
class TCanvas {
 public:
  TCanvas(TDirectDrawSurface& surface, platform::TTextRasterizer& fonts)
      : surface_(surface), fonts_(fonts) {}

  TFont Font;

  void TextOut(int x, int y, const std::string& cp1251);
  int TextWidth(const std::string& cp1251);
  int TextHeight(const std::string& cp1251);
  // Width and height of the text's line box, measured once.
  std::pair<int, int> Measure(const std::string& cp1251);
  // Gives the surface back to direct drawing; the frame loop calls it before each flip.
  void Release() {}

  size_t CachedLines() const { return masks_.size(); }

 private:
  static constexpr size_t kMaxCachedLines = 1024;
  using TKey = std::tuple<std::string, int, std::string>;

  const platform::TTextMask& Mask(const std::string& cp1251);
  void Blend(const platform::TTextMask& mask, int x, int y);

  TDirectDrawSurface& surface_;
  platform::TTextRasterizer& fonts_;
  // Looked up by references to the font and text, so a cached line costs no allocation.
  std::map<TKey, platform::TTextMask, std::less<>> masks_;
};

}  // namespace engine
