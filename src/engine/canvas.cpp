#include "engine/canvas.h"

#include <algorithm>

#include "engine/coverage_blend.h"
#include "engine/draw_recorder.h"
#include "engine/surface.h"
#include "text/cp1251.h"

namespace engine {

const platform::TTextMask& TCanvas::Mask(const std::string& cp1251) {
  const auto found = masks_.find(std::tie(Font.Name, Font.Size, cp1251));
  if (found != masks_.end()) return found->second;
  // Texts that change every frame (a running score) would fill the cache without end.
  if (masks_.size() >= kMaxCachedLines) masks_.clear();
  auto mask = fonts_.Render(Font.Name, Font.Size, text::Utf8FromCp1251(cp1251));
  return masks_.emplace(TKey{Font.Name, Font.Size, cp1251}, std::move(mask)).first->second;
}

namespace {

// The box of the mask's covered pixels, placed with its top left at (x, y).
TRect InkBox(const platform::TTextMask& mask, int x, int y) {
  TRect ink{mask.width, mask.height, 0, 0};
  for (int row = 0; row < mask.height; ++row)
    for (int column = 0; column < mask.width; ++column) {
      if (mask.coverage[static_cast<size_t>(row) * mask.width + column] == 0) continue;
      ink = {std::min(ink.Left, column), std::min(ink.Top, row), std::max(ink.Right, column + 1),
             std::max(ink.Bottom, row + 1)};
    }
  if (ink.Right == 0) return {x, y, x, y};
  return {x + ink.Left, y + ink.Top, x + ink.Right, y + ink.Bottom};
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& cp1251) {
  if (cp1251.empty()) return;
  const platform::TTextMask& mask = Mask(cp1251);
  Blend(mask, x, y);
  if (surface_.Recorder) surface_.Recorder->TextDrawn(cp1251, InkBox(mask, x, y));
}

std::pair<int, int> TCanvas::Measure(const std::string& cp1251) {
  std::pair<int, int> size;
  fonts_.Measure(Font.Name, Font.Size, text::Utf8FromCp1251(cp1251), size.first, size.second);
  return size;
}

int TCanvas::TextWidth(const std::string& cp1251) {
  return Measure(cp1251).first;
}

int TCanvas::TextHeight(const std::string& cp1251) {
  return Measure(cp1251).second;
}

void TCanvas::Blend(const platform::TTextMask& mask, int x, int y) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + mask.width, surface_.Width());
  const int bottom = std::min(y + mask.height, surface_.Height());
  if (left >= right) return;
  // The font colour is 0x00BBGGRR; the surface's pixels are red × 65536 + green × 256 + blue.
  const uint32_t colour =
      (Font.Color & 0xFF) << 16 | (Font.Color & 0xFF00) | (Font.Color >> 16 & 0xFF);
  for (int py = top; py < bottom; ++py) {
    const uint8_t* cover = mask.coverage.data() + static_cast<size_t>(py - y) * mask.width - x;
    uint32_t* out = surface_.Pixels() + static_cast<size_t>(py) * surface_.Width();
    BlendCoverageRow(out + left, cover + left, right - left, colour);
  }
}

}  // namespace engine
