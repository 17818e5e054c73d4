#include "screens/screen_text.h"

#include <array>

#include "engine/dx_draw.h"
#include "text/cp1251.h"

namespace {

struct TTextStyle {
  const char* face;
  int size;  // points
  uint8_t red, green, blue;
};

// Regular weight, clear background.
constexpr std::array<TTextStyle, 16> kTextStyles{{
    {"Freeset", 24, 0, 0, 0},        // 1 quit questions
    {"Freeset", 15, 0, 0, 0},        // 2 high-score rows
    {"Freeset", 18, 0, 0, 0},        // 3 clear-records question
    {"Freeset", 16, 0, 0, 0},        // 4 option labels and values
    {"Freeset", 36, 244, 9, 9},      // 5 pause, level and game-over banners
    {"Freeset", 18, 255, 255, 255},  // 6 the level on the panel
    {"Freeset", 18, 255, 255, 255},  // 7 the score on the panel
    {"DS Crystal", 16, 255, 255, 255},
    {"Freeset", 17, 0, 0, 0},  // 9 name entry prompt
    {"Freeset", 18, 0, 0, 0},  // 10 the name being typed
    {"Freeset", 18, 0, 0, 0},  // 11 send-score question and progress
    {"Courier", 12, 0, 0, 0},
    {"FreeSet", 16, 255, 0, 0},  // 13 selected option values
    {"FreeSet", 16, 0, 0, 0},    // 14 help page titles
    {"FreeSet", 14, 0, 0, 0},    // 15 help headings
    {"FreeSet", 13, 0, 0, 0},    // 16 help body lines
}};

}  // namespace

void TScreenText::SetTextStyle(int style) {
  if (!draw_.HasSurface()) return;
  if (style < 1 || style > static_cast<int>(kTextStyles.size())) return;
  const TTextStyle& s = kTextStyles[style - 1];
  engine::TFont& font = draw_.Surface().Canvas().Font;
  font.Name = s.face;
  font.Size = s.size;
  font.Color = (uint32_t{s.blue} << 16) | (uint32_t{s.green} << 8) | s.red;  // 0x00BBGGRR
}

void TScreenText::SetTextColour(uint32_t colour) {
  if (!draw_.HasSurface()) return;
  draw_.Surface().Canvas().Font.Color = colour;
}

void TScreenText::DrawText(const std::string& text, int x, bool centreVertically,
                           bool centreHorizontally, int y) {
  if (skipDrawing_ || !draw_.HasSurface()) return;
  engine::TCanvas& canvas = draw_.Surface().Canvas();
  if (centreHorizontally || centreVertically) {
    const auto [width, height] = canvas.Measure(text);
    if (centreHorizontally) x -= width / 2;
    if (centreVertically) y -= height / 2;
  }
  canvas.TextOut(x, y, text);
}

int TScreenText::TextWidth(const std::string& text) {
  if (!draw_.HasSurface()) return 0;
  return draw_.Surface().Canvas().TextWidth(text);
}

int TScreenText::TextWidthIn(const std::string& text, int style) {
  SetTextStyle(style);
  return TextWidth(text);
}

const std::string& TScreenText::Cp1251(const char* utf8) {
  auto [it, added] = converted_.try_emplace(utf8);
  if (added) it->second = text::Cp1251FromUtf8(utf8);
  return it->second;
}
