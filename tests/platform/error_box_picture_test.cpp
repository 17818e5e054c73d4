#include "platform/error_box_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text_rasterizer.h"

namespace {

using platform::WrapMessage;

// Ten pixels a character, whatever its bytes.
int TenACharacter(const std::string& text) {
  return 10 * static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
           return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
         }));
}

TEST(ErrorBoxPicture, LinesBreakAtSpacesThenBetweenCharactersAndAreCounted) {
  const struct {
    std::string message;
    size_t maxLines;
    std::vector<std::string> lines;
  } kCases[] = {
      {"Файл настроек", 24, {"Файл настроек"}},                              // 130 px fits
      {"Файл повреждён и отложен", 24, {"Файл повреждён и", "отложен"}},     // at a space
      {"Файл:\n\n/tmp/hs", 24, {"Файл:", "", "/tmp/hs"}},                    // its own breaks
      {"/home/ёжик/.local/Save/hs", 24, {"/home/ёжик/.loca", "l/Save/hs"}},  // a long path
      {"абвгдежзийклмноп рст", 1, {"абвгдежзийклмно…"}},                     // cut off
      {"раз\nдва\nтри", 2, {"раз", "два…"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(WrapMessage(c.message, 160, TenACharacter, c.maxLines), c.lines) << c.message;
  }
}

// The damaged-file notice as the player sees it: every line inked inside the margins, the OK
// button centred under the text, and a message of a thousand lines kept to a box's height.
TEST(ErrorBoxPicture, TheNoticeIsDrawnInsideTheBoxAboveItsButton) {
  platform::TTextRasterizer text;
  const auto notice = platform::DrawErrorBox(
      text,
      "Файл рекордов повреждён и отложен в сторону: /home/player/.local/share/perolet/Save/"
      "hs.damaged\nИгра начата с таблицей рекордов по умолчанию.");
  ASSERT_EQ(notice.pixels.size(), static_cast<size_t>(notice.width) * notice.height);
  const uint32_t face = notice.pixels[0];
  const auto inked = [&](int top, int bottom, int left, int right) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        count += notice.pixels[static_cast<size_t>(y) * notice.width + x] != face;
    return count;
  };
  const auto& button = notice.button;
  EXPECT_EQ(button.x * 2 + button.width, notice.width);
  EXPECT_GT(inked(button.y, button.y + button.height, button.x, button.x + button.width), 0);
  // Three lines (the path is too long for the first), each with ink, none on the margins.
  int lineHeight = 0, width = 0;
  text.Measure("PT Sans", 11, "", width, lineHeight);
  const int margin = 18;
  EXPECT_EQ(button.y, margin + 3 * lineHeight + margin);
  for (int line = 0; line < 3; ++line) {
    const int top = margin + line * lineHeight;
    EXPECT_GT(inked(top, top + lineHeight, margin, notice.width - margin), 200) << line;
  }
  EXPECT_EQ(inked(0, button.y, 0, margin), 0);
  EXPECT_EQ(inked(0, button.y, notice.width - margin, notice.width), 0);
  EXPECT_EQ(inked(0, margin, 0, notice.width), 0);

  std::string endless;
  for (int i = 0; i < 1000; ++i) endless += "строка\n";
  const auto cut = platform::DrawErrorBox(text, endless);
  EXPECT_EQ(cut.button.y,
            margin + static_cast<int>(platform::kErrorBoxLines) * lineHeight + margin);
}

}  // namespace
