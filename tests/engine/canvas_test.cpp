#include "engine/canvas.h"

#include <gtest/gtest.h>

#include "engine/draw_recorder.h"
#include "engine/surface.h"
#include "platform/text_rasterizer.h"
#include "text/cp1251.h"

namespace {

using engine::TDirectDrawSurface;

TEST(Fonts, GameFacesMapToInstalledFamilies) {
  platform::TTextRasterizer fonts;
  EXPECT_NE(fonts.FontFile("Freeset").find("paratype/PTS55F"), std::string::npos)
      << fonts.FontFile("Freeset");
  EXPECT_EQ(fonts.FontFile("FreeSet"), fonts.FontFile("Freeset"));
  EXPECT_NE(fonts.FontFile("Courier").find("Mono"), std::string::npos);
  EXPECT_EQ(fonts.FontFile("DS Crystal"), fonts.FontFile("Courier"));
}

TEST(Canvas, MeasuresInPointsAtNinetySixDpi) {
  platform::TTextRasterizer fonts;
  TDirectDrawSurface surface(100, 100, fonts);
  auto& canvas = surface.Canvas();
  canvas.Font = {"Freeset", 24, 0};
  const int big = canvas.TextHeight("A");
  canvas.Font.Size = 12;
  const int small = canvas.TextHeight("A");
  // 24 points are 32 pixels of em at 96 dpi; the line box adds the face's line gap.
  EXPECT_GE(big, 32);
  EXPECT_LE(big, 45);
  EXPECT_NEAR(big, 2 * small, 2);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  canvas.Font.Name = "Courier";
  EXPECT_EQ(canvas.TextWidth("iii"), canvas.TextWidth("WWW"));
}

struct TTextLog : engine::TDrawRecorder {
  std::vector<engine::TRect> inks;
  void TextDrawn(const std::string&, const engine::TRect& ink) override { inks.push_back(ink); }
  void PictureDrawn(const std::string&, const engine::TRect&, const engine::TRect&) override {}
};

// The recorder gets the box of the text's ink: within its line box, and exactly the pixels the
// text changed.
TEST(Canvas, TellsTheRecorderTheBoxOfTheInk) {
  platform::TTextRasterizer fonts;
  TDirectDrawSurface surface(200, 60, fonts);
  surface.Fill(0xFFFFFF);
  TTextLog log;
  surface.Recorder = &log;
  auto& canvas = surface.Canvas();
  canvas.Font = {"Freeset", 16, 0};
  canvas.TextOut(10, 5, "_");
  canvas.TextOut(10, 5, "   ");
  ASSERT_EQ(log.inks.size(), 2u);
  const engine::TRect ink = log.inks[0];
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Right, 10 + canvas.TextWidth("_"));
  EXPECT_GT(ink.Top, 5 + canvas.TextHeight("_") / 2) << "an underscore sits low in its line";
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const bool inked = surface.Pixel(x, y) != 0xFFFFFFu;
      const bool inBox = x >= ink.Left && x < ink.Right && y >= ink.Top && y < ink.Bottom;
      EXPECT_TRUE(!inked || inBox) << x << "," << y;
    }
  EXPECT_EQ(log.inks[1].Width(), 0) << "blanks leave no ink";
}

TEST(Canvas, DrawsCyrillicInTheFontColourOnAClearBackground) {
  platform::TTextRasterizer fonts;
  TDirectDrawSurface surface(200, 60, fonts);
  surface.Fill(0x00FF00);
  auto& canvas = surface.Canvas();
  canvas.Font = {"Freeset", 24, 0x0000FF};  // 0x00BBGGRR: red
  const std::string text = text::Cp1251FromUtf8("Пуск");
  ASSERT_EQ(text.size(), 4u);
  const int width = canvas.TextWidth(text);
  EXPECT_GT(width, 40);
  canvas.TextOut(10, 5, text);
  int red = 0, mixed = 0, outside = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      const uint32_t p = surface.Pixel(x, y);
      const bool inBox = x >= 10 && x < 10 + width && y >= 5 && y < 5 + canvas.TextHeight(text);
      if (p == 0xFF0000) ++red;
      if (p != 0xFF0000 && p != 0x00FF00) ++mixed;
      if (!inBox && p != 0x00FF00) ++outside;
    }
  }
  EXPECT_GT(red, 50) << "solid strokes take the font colour";
  EXPECT_GT(mixed, 20) << "edges are antialiased";
  EXPECT_EQ(outside, 0) << "nothing outside the text's box changes";
}

TEST(Canvas, ClipsAtTheSurfaceEdgesAndCachesEachLine) {
  platform::TTextRasterizer fonts;
  TDirectDrawSurface surface(30, 10, fonts);
  auto& canvas = surface.Canvas();
  canvas.Font = {"Freeset", 16, 0xFFFFFF};
  canvas.TextOut(-15, -8, "Hello, world");
  canvas.TextOut(20, 5, "Hello, world");
  EXPECT_EQ(canvas.CachedLines(), 1u);
  canvas.Font.Size = 17;
  canvas.TextOut(0, 0, "Hello, world");
  EXPECT_EQ(canvas.CachedLines(), 2u);
  bool drawn = false;
  for (int i = 0; i < 300; ++i) drawn |= surface.Pixels()[i] != 0;
  EXPECT_TRUE(drawn);
}

}  // namespace
