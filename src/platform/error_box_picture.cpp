#include "platform/error_box_picture.h"

#include <algorithm>

#include "platform/picture_scaler.h"
#include "platform/text_rasterizer.h"

namespace platform {

namespace {

using TWidthOf = std::function<int(const std::string&)>;

constexpr const char* kFace = "PT Sans";
constexpr int kPoints = 11;
constexpr int kMargin = 18;
constexpr int kWidestText = 560;
constexpr int kNarrowestBox = 300;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 30;
constexpr uint32_t kBoxFace = 0xF2F2F2;
constexpr uint32_t kInk = 0x1E1E1E;
constexpr uint32_t kButtonFace = 0xE2E2E2;
constexpr uint32_t kButtonEdge = 0x8C8C8C;
constexpr const char* kEllipsis = "\xE2\x80\xA6";

bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// The longest head of `word` no wider than maxWidth, and one character at least. Widths grow
// with the head, so the cut is found by halving.
size_t FittingHead(const std::string& word, int maxWidth, const TWidthOf& widthOf) {
  std::vector<size_t> ends;
  for (size_t i = 1; i <= word.size(); ++i)
    if (i == word.size() || StartsCharacter(word[i])) ends.push_back(i);
  size_t low = 0;  // ends[low] always taken
  size_t high = ends.size();
  while (high - low > 1) {
    const size_t middle = (low + high) / 2;
    if (widthOf(word.substr(0, ends[middle])) <= maxWidth) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return ends[low];
}

void WrapParagraph(const std::string& paragraph, int maxWidth, const TWidthOf& widthOf,
                   std::vector<std::string>& lines) {
  std::string line;
  size_t start = 0;
  while (start <= paragraph.size()) {
    const size_t space = std::min(paragraph.find(' ', start), paragraph.size());
    const std::string word = paragraph.substr(start, space - start);
    start = space + 1;
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + ' ' + word;
    if (widthOf(longer) <= maxWidth) {
      line = longer;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line = word;
    while (widthOf(line) > maxWidth) {
      const size_t head = FittingHead(line, maxWidth, widthOf);
      lines.push_back(line.substr(0, head));
      line.erase(0, head);
    }
  }
  lines.push_back(line);
}

void DropLastCharacter(std::string& text) {
  size_t start = text.size() - 1;
  while (start > 0 && !StartsCharacter(text[start])) --start;
  text.erase(start);
}

// The last line kept of a longer message, shortened until "…" fits after it.
std::string Ellipsized(std::string line, int maxWidth, const TWidthOf& widthOf) {
  while (!line.empty() && widthOf(line + kEllipsis) > maxWidth) DropLastCharacter(line);
  return line + kEllipsis;
}

// Cut at a character's start, never inside one.
std::string Shortened(const std::string& message) {
  if (message.size() <= kErrorBoxMessageBytes) return message;
  size_t cut = kErrorBoxMessageBytes;
  while (cut > 0 && !StartsCharacter(message[cut])) --cut;
  return message.substr(0, cut);
}

void Fill(TErrorBoxPicture& box, const TBoxRect& r, uint32_t colour) {
  for (int y = std::max(r.y, 0); y < std::min(r.y + r.height, box.height); ++y)
    for (int x = std::max(r.x, 0); x < std::min(r.x + r.width, box.width); ++x)
      box.pixels[static_cast<size_t>(y) * box.width + x] = colour;
}

void Ink(TErrorBoxPicture& box, const TTextMask& mask, int left, int top) {
  for (int y = 0; y < mask.height; ++y) {
    if (top + y < 0 || top + y >= box.height) continue;
    for (int x = 0; x < mask.width; ++x) {
      if (left + x < 0 || left + x >= box.width) continue;
      const int coverage = mask.coverage[static_cast<size_t>(y) * mask.width + x];
      uint32_t& pixel = box.pixels[static_cast<size_t>(top + y) * box.width + left + x];
      pixel = MixPixels(pixel, kInk, (coverage * 256 + 127) / 255);
    }
  }
}

void DrawButton(TErrorBoxPicture& box, TTextRasterizer& text) {
  const TBoxRect& b = box.button;
  Fill(box, b, kButtonEdge);
  Fill(box, {b.x + 1, b.y + 1, b.width - 2, b.height - 2}, kButtonFace);
  const TTextMask label = text.Render(kFace, kPoints, "OK");
  Ink(box, label, b.x + (b.width - label.width) / 2, b.y + (b.height - label.height) / 2);
}

}  // namespace

std::vector<std::string> WrapMessage(const std::string& utf8, int maxWidth, const TWidthOf& widthOf,
                                     size_t maxLines) {
  std::vector<std::string> lines;
  for (size_t start = 0; start <= utf8.size() && lines.size() <= maxLines;) {
    const size_t end = std::min(utf8.find('\n', start), utf8.size());
    WrapParagraph(utf8.substr(start, end - start), maxWidth, widthOf, lines);
    start = end + 1;
  }
  if (lines.size() > maxLines) {
    lines.resize(maxLines);
    if (!lines.empty()) lines.back() = Ellipsized(lines.back(), maxWidth, widthOf);
  }
  return lines;
}

TErrorBoxPicture DrawErrorBox(TTextRasterizer& text, const std::string& utf8Message) {
  const TWidthOf widthOf = [&text](const std::string& line) {
    int width = 0, height = 0;
    text.Measure(kFace, kPoints, line, width, height);
    return width;
  };
  std::string message = Shortened(utf8Message);
  std::replace_if(
      message.begin(), message.end(), [](char c) { return c == '\t' || c == '\r'; }, ' ');
  const std::vector<std::string> lines = WrapMessage(message, kWidestText, widthOf, kErrorBoxLines);
  int lineHeight = 0, unused = 0;
  text.Measure(kFace, kPoints, "", unused, lineHeight);
  int textWidth = 0;
  for (const std::string& line : lines) textWidth = std::max(textWidth, widthOf(line));

  TErrorBoxPicture box;
  box.width = std::max(kNarrowestBox, textWidth + 2 * kMargin);
  const int textHeight = static_cast<int>(lines.size()) * lineHeight;
  box.height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
  box.pixels.assign(static_cast<size_t>(box.width) * box.height, kBoxFace);
  box.button = {(box.width - kButtonWidth) / 2, box.height - kMargin - kButtonHeight, kButtonWidth,
                kButtonHeight};
  for (size_t i = 0; i < lines.size(); ++i)
    Ink(box, text.Render(kFace, kPoints, lines[i]), kMargin,
        kMargin + static_cast<int>(i) * lineHeight);
  DrawButton(box, text);
  return box;
}

}  // namespace platform
