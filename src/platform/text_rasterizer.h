#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace platform {

// A line of text rendered once: its coverage, one byte a pixel (0 clear, 255 solid).
struct TTextMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

// Draws and measures text with the installed fonts. A face name of the game is mapped to an
// installed family through fontconfig ("Freeset" to a sans face with full Cyrillic, PT Sans
// first and DejaVu Sans after it; "Courier" and "DS Crystal" to a monospace face); sizes are
// points at 96 dots per inch. Text is UTF-8. Each platform owns one (TPlatform::Fonts), so the
// fonts are loaded once for the program; fonts that cannot be used at all throw when a text is
// drawn or measured, not before.
class TTextRasterizer {
 public:
  TTextRasterizer();
  ~TTextRasterizer();
  TTextRasterizer(const TTextRasterizer&) = delete;
  TTextRasterizer& operator=(const TTextRasterizer&) = delete;

  // Width and height in pixels of the text's line box.
  void Measure(const std::string& face, int points, const std::string& utf8, int& width,
               int& height);
  TTextMask Render(const std::string& face, int points, const std::string& utf8);
  // The file a face resolves to (empty when no font at all is installed).
  std::string FontFile(const std::string& face);

 private:
  struct TOpenFont;
  TOpenFont* Font(const std::string& face, int points);

  std::string unusable_;  // why no font can be used, when none can
  std::map<std::string, std::string> files_;
  std::map<std::tuple<std::string, int>, std::unique_ptr<TOpenFont>> fonts_;
};

}  // namespace platform
