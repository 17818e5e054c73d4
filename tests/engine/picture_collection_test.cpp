#include "engine/picture_collection.h"
#include "support/image_list_on_display.h"

#include <gtest/gtest.h>

#include "engine/draw_recorder.h"
#include "engine/dx_draw.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "engine/engine_error.h"
#include "platform/headless/headless_platform.h"
#include "support/byte_builder.h"

namespace {

using engine::Bounds;
using engine::TDIB;
using engine::TPictureCollection;
using engine::TPictureCollectionItem;
using engine::TRect;
using test_support::TBytes;

constexpr uint32_t kMagenta = 0xFF00FF;

// A picture whose pixel (x, y) is x + 1000 × y, so a copied pixel tells where it came from.
TDIB Numbered(int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = x + 1000 * y;
  return TDIB::FromPixels(width, height, pixels);
}

struct ImageListFixture : test_support::TImageListOnDisplay {
  TPictureCollectionItem& AddItem(const std::string& name, TDIB picture, int patternWidth = 0,
                                  int patternHeight = 0) {
    TPictureCollectionItem& item = items.Add();
    item.SetName(name);
    item.Picture = std::move(picture);
    item.PatternWidth = patternWidth;
    item.PatternHeight = patternHeight;
    return item;
  }
};

TEST_F(ImageListFixture, PatternCountBeforeSurfacesFollowsThePictureAndTheGaps) {
  auto& plain = AddItem("a", Numbered(100, 10), 32, 10);
  EXPECT_EQ(plain.PatternCount(), 3);  // the 4-pixel rest is no column
  auto& gapped = AddItem("b", Numbered(100, 10), 32, 10);
  gapped.SkipWidth = 2;
  EXPECT_EQ(gapped.PatternCount(), 3);  // 3 × 32 + 2 × 2: the last column has no gap after it
  auto& whole = AddItem("c", Numbered(7, 5));
  EXPECT_EQ(whole.PatternCount(), 1);
  EXPECT_EQ(whole.Width(), 7);
  auto& swallowed = AddItem("d", Numbered(10, 10), 5, 5);
  swallowed.SkipWidth = -5;
  EXPECT_EQ(swallowed.PatternCount(), 0);
  EXPECT_EQ(items.Add().PatternCount(), 0);  // no picture
}

TEST_F(ImageListFixture, SurfacesComeWithTheDisplayAndPatternsKeepTheirIndexes) {
  auto& grid = AddItem("grid", Numbered(100, 21), 32, 10);
  grid.SkipWidth = 2;
  grid.SkipHeight = 1;
  grid.SystemMemory = true;
  EXPECT_EQ(grid.PatternSurface(0), nullptr);
  EXPECT_EQ(grid.PatternRect(0), TRect{});
  draw.Initialize();
  ASSERT_TRUE(grid.Initialized());
  ASSERT_EQ(grid.PatternCount(), 6);
  // One surface for the whole picture, patterns row by row.
  EXPECT_EQ(grid.PatternRect(4), Bounds(34, 11, 32, 10));
  EXPECT_EQ(grid.PatternSurface(0), grid.PatternSurface(5));
  EXPECT_EQ(grid.PatternSurface(5)->Width(), 100);
  EXPECT_EQ(grid.PatternRect(6), TRect{});
  EXPECT_EQ(grid.PatternSurface(-1), nullptr);
  draw.Finalize();
  EXPECT_FALSE(grid.Initialized());
  EXPECT_EQ(grid.PatternSurface(0), nullptr);
  EXPECT_EQ(grid.PatternCount(), 6);
}

TEST_F(ImageListFixture, DisplayMemoryPicturesAreCutIntoBlocksOfWholeCells) {
  // 30 cells of 40 in a row: blocks of 13 cells (520 ≤ 40 + 511), the last one trimmed.
  auto& strip = AddItem("strip", Numbered(1200, 40), 40, 40);
  draw.Initialize();
  ASSERT_EQ(strip.PatternCount(), 30);
  EXPECT_EQ(strip.PatternRect(12), Bounds(480, 0, 40, 40));
  EXPECT_EQ(strip.PatternRect(13), Bounds(0, 0, 40, 40));
  EXPECT_EQ(strip.PatternRect(29), Bounds(120, 0, 40, 40));
  EXPECT_EQ(strip.PatternSurface(12)->Width(), 520);
  EXPECT_EQ(strip.PatternSurface(29)->Width(), 160);
  EXPECT_NE(strip.PatternSurface(12), strip.PatternSurface(13));
  // Pattern 14 starts at picture column 560: its top-left pixel says so.
  const auto* surface = strip.PatternSurface(14);
  EXPECT_EQ(surface->Pixel(strip.PatternRect(14).Left, 0), 560u);
}

TEST_F(ImageListFixture, DrawingSkipsTheTransparentColourAndBadIndexes) {
  TDIB picture = TDIB::FromPixels(4, 1, {kMagenta, 0x123456, kMagenta, 0x654321});
  auto& item = AddItem("Shot", picture, 2, 1);
  item.SetTransparentColor(0xFF00FF);  // 0x00BBGGRR fuchsia is the same value
  engine::TDirectDrawSurface dest(4, 1);
  item.Draw(dest, 0, 0, 0);  // before surfaces exist: nothing
  EXPECT_EQ(dest.Pixel(1, 0), 0u);
  draw.Initialize();
  dest.Fill(0x777777);
  item.Draw(dest, 0, 0, 0);
  item.Draw(dest, 2, 0, 1);
  item.Draw(dest, 0, 0, 2);  // outside the patterns
  EXPECT_EQ(dest.Pixel(0, 0), 0x777777u);
  EXPECT_EQ(dest.Pixel(1, 0), 0x123456u);
  EXPECT_EQ(dest.Pixel(2, 0), 0x777777u);
  EXPECT_EQ(dest.Pixel(3, 0), 0x654321u);
  // Another key re-keys the surfaces at once.
  item.SetTransparentColor(0x563412);
  dest.Fill(0x777777);
  item.Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.Pixel(0, 0), kMagenta);
  EXPECT_EQ(dest.Pixel(1, 0), 0x777777u);
  item.DrawAlpha(dest, Bounds(0, 0, 2, 1), 0, 255);
  EXPECT_EQ(dest.Pixel(0, 0), kMagenta);
}

struct TPictureLog : engine::TDrawRecorder {
  std::vector<std::pair<std::string, TRect>> where, ink;
  void TextDrawn(const std::string&, const TRect&) override {}
  void PictureDrawn(const std::string& name, const TRect& at, const TRect& covered) override {
    where.push_back({name, at});
    ink.push_back({name, covered});
  }
};

// A recorder learns where each picture went and which of it is not transparent.
TEST_F(ImageListFixture, DrawingTellsTheSurfacesRecorderWhereThePictureLanded) {
  TDIB picture = TDIB::FromPixels(3, 3,
                                  {kMagenta, kMagenta, kMagenta,  //
                                   kMagenta, 0x123456, 0x123456,  //
                                   kMagenta, kMagenta, kMagenta});
  auto& item = AddItem("Dot", picture);
  item.SetTransparentColor(0xFF00FF);
  auto& blank = AddItem("Blank", TDIB::FromPixels(2, 2, std::vector<uint32_t>(4, kMagenta)));
  blank.SetTransparentColor(0xFF00FF);
  draw.Initialize();
  engine::TDirectDrawSurface dest(20, 20);
  TPictureLog log;
  item.Draw(dest, 1, 1, 0);  // no recorder yet
  dest.Recorder = &log;
  item.Draw(dest, 5, 7, 0);
  blank.Draw(dest, 2, 2, 0);
  item.DrawAlpha(dest, Bounds(0, 0, 6, 6), 0, 128);
  ASSERT_EQ(log.where.size(), 3u);
  EXPECT_EQ(log.where[0].second, Bounds(5, 7, 3, 3));
  EXPECT_EQ(log.ink[0].second, Bounds(6, 8, 2, 1));
  EXPECT_EQ(log.ink[1].second.Width(), 0) << "nothing of it shows";
  EXPECT_EQ(log.ink[2].second, Bounds(0, 0, 6, 6)) << "a stretched copy counts whole";
}

TEST_F(ImageListFixture, NamesAreFoundWithoutCaseAndTheLaterItemWins) {
  AddItem("Shot", Numbered(1, 1));
  auto& second = AddItem("shot", Numbered(2, 2));
  auto& duck = AddItem("\xD3\xF2\xEA\xE0", Numbered(3, 3));  // "Утка" in code page 1251
  EXPECT_EQ(&items.FindImage("SHOT"), &second);
  EXPECT_EQ(&items.FindImage("\xF3\xD2\xCA\xC0"), &duck);  // "уТКА"
  second.SetName("other");
  EXPECT_EQ(items.FindImage("SHOT").Width(), 1);
  try {
    items.FindImage("Bird");
    FAIL();
  } catch (const engine::EPictureCollectionError& e) {
    EXPECT_STREQ(e.what(), "Image 'Bird' not found");
  }
  // The buckets: 16 × length plus the first and the second-to-last letter, lower-cased.
  EXPECT_EQ(engine::TNameIndex<int>::Bucket("Shot"), (16 * 4 + 's' + 'o') % 256u);
  EXPECT_EQ(engine::TNameIndex<int>::Bucket("S"), 16u);
}

TEST_F(ImageListFixture, InitializingWithADisplayThatIsNotReadyFails) {
  try {
    items.Initialize(draw);
    FAIL();
  } catch (const engine::EPictureCollectionError& e) {
    EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
  }
}

// A DXG file spelled out byte by byte: one item with an order value before it, its colour
// as an identifier and its picture as a BMP file ("TBitmap").
std::vector<uint8_t> HandWrittenDxg() {
  const TDIB picture = Numbered(4, 2);
  const auto bmp = picture.BmpFile();
  TBytes data;
  data.Str("TBitmap").U32(static_cast<uint32_t>(bmp.size())).Raw(bmp);
  TBytes body;
  body.Raw("TPF0").Str("TPictureCollectionComponent").Str("");
  body.Str("List.ColorTable").U8(10).U32(1024).Fill(1024, 7);
  body.Str("List").U8(14).U8(2).U8(0).U8(1);
  body.Str("Name").U8(6).Str("Bird");
  body.Str("PatternHeight").U8(2).U8(2);
  body.Str("PatternWidth").U8(2).U8(2);
  body.Str("Picture.Data").U8(10).U32(static_cast<uint32_t>(data.bytes.size())).Raw(data.bytes);
  body.Str("SkipWidth").U8(3).U16(0xFFFF);
  body.Str("SystemMemory").U8(9);
  body.Str("Transparent").U8(8);
  body.Str("TransparentColor").U8(7).Str("clFuchsia");
  body.U8(0).U8(0).U8(0).U8(0);
  TBytes file = test_support::ResourceHeader("X", static_cast<uint32_t>(body.bytes.size()));
  return file.Raw(body.bytes).bytes;
}

TEST_F(ImageListFixture, ReadsAHandWrittenFile) {
  items.LoadFromBytes(HandWrittenDxg());
  ASSERT_EQ(items.Count(), 1);
  const auto& bird = items.Items(0);
  EXPECT_EQ(bird.Name(), "Bird");
  EXPECT_EQ(bird.PatternWidth, 2);
  EXPECT_EQ(bird.SkipWidth, -1);
  EXPECT_TRUE(bird.SystemMemory);
  EXPECT_FALSE(bird.Transparent);
  EXPECT_EQ(bird.TransparentColor(), 0xFF00FF);
  EXPECT_TRUE(bird.PictureIsBitmap);
  EXPECT_EQ(bird.Picture.Pixel(3, 1), 1003u);
  EXPECT_EQ(items.ColorTable[1023], 7);
}

TEST_F(ImageListFixture, WrittenFilesReadBackItemForItem) {
  auto& a = AddItem("Plane", Numbered(6, 3), 3, 3);
  a.SkipWidth = 0;
  a.SetTransparentColor(0x123456);
  auto& b = AddItem("\xC4\xEE\xE3", Numbered(2, 2));  // "Дог"
  b.Transparent = false;
  b.PictureIsBitmap = true;
  b.SetTransparentColor(static_cast<int32_t>(0xFF00000F));  // a system colour
  items.ColorTable[5] = 9;
  const auto bytes = items.SaveToBytes();

  TPictureCollection copy;
  copy.LoadFromBytes(bytes);
  ASSERT_EQ(copy.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const auto& x = items.Items(i);
    const auto& y = copy.Items(i);
    EXPECT_EQ(y.Name(), x.Name());
    EXPECT_EQ(y.PatternWidth, x.PatternWidth);
    EXPECT_EQ(y.PatternHeight, x.PatternHeight);
    EXPECT_EQ(y.Transparent, x.Transparent);
    EXPECT_EQ(y.TransparentColor(), x.TransparentColor());
    EXPECT_EQ(y.PictureIsBitmap, x.PictureIsBitmap);
    EXPECT_EQ(y.Picture.Pixels(), x.Picture.Pixels());
  }
  EXPECT_EQ(copy.ColorTable, items.ColorTable);
  EXPECT_EQ(copy.SaveToBytes(), bytes);
}

TEST_F(ImageListFixture, BadFilesAreRefusedAndLeaveTheListEmpty) {
  const auto good = HandWrittenDxg();
  auto message = [this](const std::vector<uint8_t>& bytes) {
    try {
      items.LoadFromBytes(bytes);
    } catch (const engine::EEngineError& e) {
      EXPECT_EQ(items.Count(), 0);
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  auto renamed = good;
  const std::string from = "SystemMemory";
  auto at = std::search(renamed.begin(), renamed.end(), from.begin(), from.end());
  ASSERT_NE(at, renamed.end());
  *at = 'Z';
  EXPECT_EQ(message(renamed), "Error reading ZystemMemory: Property ZystemMemory does not exist");
  auto unknownClass = good;
  const std::string bitmap = "TBitmap";
  at = std::search(unknownClass.begin(), unknownClass.end(), bitmap.begin(), bitmap.end());
  *at = 'X';  // "XBitmap": a picture kind we do not draw
  EXPECT_EQ(message(unknownClass), "accepted");
  EXPECT_TRUE(items.Items(0).Picture.Empty());
  EXPECT_EQ(items.Items(0).PatternCount(), 0);
  EXPECT_EQ(message({}), "Invalid stream format");
  // Every prefix is refused with a reader's message, and nothing is left half loaded.
  for (size_t length = 0; length < good.size(); length += 7) {
    const std::string m = message({good.begin(), good.begin() + length});
    EXPECT_TRUE(m == "Invalid stream format" || m == "DIB is invalid") << length << ": " << m;
  }
}

TEST_F(ImageListFixture, AListLoadedIntoAReadyDisplayGetsItsSurfacesAtOnce) {
  draw.Initialize();
  items.LoadFromBytes(HandWrittenDxg());
  EXPECT_TRUE(items.Items(0).Initialized());
  EXPECT_NE(items.Items(0).PatternSurface(0), nullptr);
}

}  // namespace
