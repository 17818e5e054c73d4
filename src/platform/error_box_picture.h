#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class TTextRasterizer;

struct TBoxRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};

// The error box as the game draws it itself: the message in lines over a light face and an
// OK button under it, in the fonts the game draws its own texts with. The window system's
// own box draws with its core fonts, and those often have no Cyrillic letters at all.
struct TErrorBoxPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row after row
  TBoxRect button;
};

// A message longer than this is cut before it is laid out: a box shows a few lines.
constexpr size_t kErrorBoxMessageBytes = 4000;
constexpr size_t kErrorBoxLines = 24;

// The message's lines no wider than `maxWidth` as `widthOf` measures them: its own line breaks
// kept, a longer line broken at spaces, and a word wider than a line (a long path) between
// characters. At most `maxLines`: the last line of a longer message ends in "…". The text is
// well-formed UTF-8.
std::vector<std::string> WrapMessage(const std::string& utf8, int maxWidth,
                                     const std::function<int(const std::string&)>& widthOf,
                                     size_t maxLines);

// Lays the message out and draws the box; throws when no font can be had.
TErrorBoxPicture DrawErrorBox(TTextRasterizer& text, const std::string& utf8Message);

}  // namespace platform
