#include "engine/canvas.h"

#include <algorithm>

#include "engine/surface.h"
#include "platform/text_encoding.h"

namespace engine {

const platform::TTextMask& TCanvas::Mask(const std::string& cp1251) {
  TKey key{Font.Name, Font.Size, cp1251};
  const auto found = masks_.find(key);
  if (found != masks_.end()) return found->second;
  // Texts that change every frame (a running score) would fill the cache without end.
  if (masks_.size() >= kMaxCachedLines) masks_.clear();
  auto mask =
      platform::TextRasterizer().Render(Font.Name, Font.Size, platform::Utf8FromCp1251(cp1251));
  return masks_.emplace(std::move(key), std::move(mask)).first->second;
}

void TCanvas::TextOut(int x, int y, const std::string& cp1251) {
  if (cp1251.empty()) return;
  Blend(Mask(cp1251), x, y);
}

std::pair<int, int> TCanvas::Measure(const std::string& cp1251) {
  std::pair<int, int> size;
  platform::TextRasterizer().Measure(Font.Name, Font.Size, platform::Utf8FromCp1251(cp1251),
                                     size.first, size.second);
  return size;
}

int TCanvas::TextWidth(const std::string& cp1251) {
  return Measure(cp1251).first;
}

int TCanvas::TextHeight(const std::string& cp1251) {
  return Measure(cp1251).second;
}

// Coverage c mixes the font colour over the surface: (colour × c + surface × (255 − c)) / 255.
void TCanvas::Blend(const platform::TTextMask& mask, int x, int y) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + mask.width, surface_.Width());
  const int bottom = std::min(y + mask.height, surface_.Height());
  const uint32_t red = Font.Color & 0xFF;
  const uint32_t green = (Font.Color >> 8) & 0xFF;
  const uint32_t blue = (Font.Color >> 16) & 0xFF;
  const auto mix = [](uint32_t fore, uint32_t back, uint32_t c) {
    return (fore * c + back * (255 - c) + 127) / 255;
  };
  for (int py = top; py < bottom; ++py) {
    const uint8_t* cover = mask.coverage.data() + static_cast<size_t>(py - y) * mask.width - x;
    uint32_t* out = surface_.Pixels() + static_cast<size_t>(py) * surface_.Width();
    for (int px = left; px < right; ++px) {
      const uint32_t c = cover[px];
      if (c == 0) continue;
      const uint32_t d = out[px];
      out[px] = c == 255 ? (red << 16) | (green << 8) | blue
                         : (mix(red, d >> 16 & 0xFF, c) << 16) |
                               (mix(green, d >> 8 & 0xFF, c) << 8) | mix(blue, d & 0xFF, c);
    }
  }
}

}  // namespace engine
