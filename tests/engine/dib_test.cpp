#include "engine/dib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/engine_error.h"
#include "support/byte_builder.h"
#include "support/temp_dir.h"

namespace {

using engine::TDIB;
using test_support::InfoHeader;
using test_support::TBytes;

TDIB Load(const TBytes& b) {
  TDIB dib;
  dib.LoadFromDibData(b.bytes);
  return dib;
}

std::string Refusal(const TBytes& b) {
  try {
    Load(b);
  } catch (const engine::EInvalidGraphic& e) {
    return e.what();
  }
  return "accepted";
}

// Two colours, blue (index 0) and red (index 1), as the table stores them: B, G, R, 0.
TBytes& TwoColours(TBytes& b) {
  return b.U32(0x0000FF).U32(0xFF0000);
}

TEST(Dib, DecodesEveryUncompressedDepthBottomRowFirst) {
  // 2 × 2 pictures: top row red, green; bottom row blue, white.
  TBytes b24 = InfoHeader(2, 2, 24);
  b24.U8(0xFF).U8(0).U8(0).U8(0xFF).U8(0xFF).U8(0xFF).U16(0);  // bottom row + padding
  b24.U8(0).U8(0).U8(0xFF).U8(0).U8(0xFF).U8(0).U16(0);
  TBytes b32 = InfoHeader(2, 2, 32);
  b32.U32(0x0000FF).U32(0xFFFFFF).U32(0xFF0000).U32(0x00FF00);
  TBytes b555 = InfoHeader(2, 2, 16);
  b555.U16(0x001F).U16(0x7FFF).U16(0x7C00).U16(0x03E0);
  TBytes b565 = InfoHeader(2, 2, 16, 3);
  b565.U32(0xF800).U32(0x07E0).U32(0x001F);
  b565.U16(0x001F).U16(0xFFFF).U16(0xF800).U16(0x07E0);
  TBytes b8 = InfoHeader(2, 2, 8, 0, 0, 4);
  b8.U32(0xFF0000).U32(0x00FF00).U32(0x0000FF).U32(0xFFFFFF);  // red green blue white
  b8.U8(2).U8(3).U16(0).U8(0).U8(1).U16(0);
  for (const TBytes* b : {&b24, &b32, &b555, &b565, &b8}) {
    const TDIB dib = Load(*b);
    ASSERT_EQ(dib.Width(), 2);
    ASSERT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(0, 1), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(1, 1), 0xFFFFFFu);
  }
}

TEST(Dib, DecodesOneAndFourBitRowsMostSignificantFirst) {
  TBytes b1 = InfoHeader(10, 1, 1);
  TwoColours(b1).U8(0b10110000).U8(0b01000000).U16(0);
  const TDIB one = Load(b1);
  EXPECT_EQ(one.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(one.Pixel(1, 0), 0x0000FFu);
  EXPECT_EQ(one.Pixel(3, 0), 0xFF0000u);
  EXPECT_EQ(one.Pixel(9, 0), 0xFF0000u);
  EXPECT_EQ(one.Pixel(8, 0), 0x0000FFu);
  TBytes b4 = InfoHeader(3, 1, 4, 0, 0, 2);
  TwoColours(b4).U8(0x10).U8(0x10).U16(0);
  const TDIB four = Load(b4);
  EXPECT_EQ(four.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(four.Pixel(1, 0), 0x0000FFu);
  EXPECT_EQ(four.Pixel(2, 0), 0xFF0000u);
}

TEST(Dib, NegativeHeightIsTheSamePictureStoredTopFirst) {
  TBytes up = InfoHeader(1, 2, 24);
  up.U8(1).U8(2).U8(3).U8(0).U8(4).U8(5).U8(6).U8(0);
  TBytes down = InfoHeader(1, -2, 24);
  down.U8(4).U8(5).U8(6).U8(0).U8(1).U8(2).U8(3).U8(0);
  EXPECT_EQ(Load(up).Pixels(), Load(down).Pixels());
  EXPECT_EQ(Load(down).Height(), 2);
}

TEST(Dib, ShortHeaderHasThreeByteColoursAndNoCompression) {
  TBytes b;
  b.U32(12).U16(2).U16(1).U16(1).U16(1);
  b.U8(0x10).U8(0x20).U8(0x30).U8(0x40).U8(0x50).U8(0x60);
  b.U8(0b01000000).U8(0).U16(0);
  const TDIB dib = Load(b);
  EXPECT_EQ(dib.Pixel(0, 0), 0x302010u);
  EXPECT_EQ(dib.Pixel(1, 0), 0x605040u);
}

TEST(Dib, TwentyFourBitsWithoutColoursUsedHasNoTable) {
  TBytes b = InfoHeader(1, 1, 24);
  b.U8(0x11).U8(0x22).U8(0x33).U8(0);
  EXPECT_EQ(Load(b).Pixel(0, 0), 0x332211u);
}

TEST(Dib, RunLengthEightFollowsThePublishedRules) {
  // 4 × 3, bottom row first. Row 0: a run of 3 of index 1, end of line. Row 1: absolute
  // run of 3 (padded), then end of line. Then a delta right 2 and a run of 1 of index 1.
  // No end-of-bitmap mark: still a picture.
  TBytes rle;
  rle.U8(3).U8(1).U8(0).U8(0);
  rle.U8(0).U8(3).U8(1).U8(0).U8(1).U8(0).U8(0).U8(0);
  rle.U8(0).U8(2).U8(2).U8(0).U8(1).U8(1);
  TBytes b = InfoHeader(4, 3, 8, 1, static_cast<uint32_t>(rle.bytes.size()), 2);
  TwoColours(b).Raw(rle.bytes);
  const TDIB dib = Load(b);
  const uint32_t kBlue = 0x0000FF, kRed = 0xFF0000;
  const std::vector<uint32_t> expected{
      kBlue, kBlue, kRed, kBlue,  // top row: the delta's pixel
      kRed,  kBlue, kRed, kBlue,  // the absolute run
      kRed,  kRed,  kRed, kBlue,  // the encoded run
  };
  EXPECT_EQ(dib.Pixels(), expected);
}

TEST(Dib, RunLengthFourAlternatesNibblesAndPadsAbsoluteRuns) {
  TBytes rle;
  rle.U8(3).U8(0x10);                             // 1 0 1
  rle.U8(0).U8(0).U8(0).U8(3).U8(0x01).U8(0x10);  // eol; absolute 0 1 1 (2 bytes, even)
  rle.U8(0).U8(1);
  TBytes b = InfoHeader(3, 2, 4, 2, static_cast<uint32_t>(rle.bytes.size()), 2);
  TwoColours(b).Raw(rle.bytes);
  const TDIB dib = Load(b);
  const uint32_t kBlue = 0x0000FF, kRed = 0xFF0000;
  EXPECT_EQ(dib.Pixels(), (std::vector<uint32_t>{kBlue, kRed, kRed, kRed, kBlue, kRed}));
}

TEST(Dib, FaultyFilesAreRefusedOrDecodedWithinBounds) {
  // Refused with the format's message.
  EXPECT_EQ(Refusal(TBytes().U32(64).Fill(60, 0)), "DIB is invalid");
  EXPECT_EQ(Refusal(TBytes().U8(40).U8(0)), "DIB is invalid");
  EXPECT_EQ(Refusal(InfoHeader(1, 1, 2)), "Bitcount in invalid (2)");
  EXPECT_EQ(Refusal(InfoHeader(1, 1, 16, 3).U32(0xF00).U32(0xF0).U32(0xF)),
            "PixelFormat in invalid");  // 4-4-4
  EXPECT_EQ(Refusal(InfoHeader(1, 1, 32, 3).U32(0xFF0000).U32(0).U32(0xFF).U32(0)),
            "PixelFormat in invalid");  // a zero mask
  EXPECT_EQ(Refusal(InfoHeader(1, 1, 32, 3).U32(0xFFFF00).U32(0xFF00).U32(0xFF).U32(0)),
            "PixelFormat in invalid");  // overlapping masks
  EXPECT_EQ(Refusal(InfoHeader(1, 1, 24, 5)), "DIB is invalid");
  EXPECT_EQ(Refusal(InfoHeader(1, 1, 24, 1)), "DIB is invalid");  // RLE8 needs 8 bits
  EXPECT_EQ(Refusal(InfoHeader(1, -1, 8, 1, 0, 1).U32(0)), "DIB is invalid");
  EXPECT_EQ(Refusal(InfoHeader(1, INT32_MIN, 24)), "DIB is invalid");
  EXPECT_EQ(Refusal(InfoHeader(0, 1, 24)), "DIB is invalid");
  EXPECT_EQ(Refusal(InfoHeader(16385, 1, 24)), "DIB is invalid");
  EXPECT_EQ(Refusal(InfoHeader(16384, 16384, 32)), "DIB is invalid");      // 1 GiB of pixels
  EXPECT_EQ(Refusal(InfoHeader(4, 4, 24).Fill(47, 0)), "DIB is invalid");  // rows cut short
  EXPECT_EQ(Refusal(InfoHeader(4, 4, 8, 1, 1000, 1).U32(0).U8(0).U8(1)), "DIB is invalid");

  // Indexes beyond a short table, and a table longer than the depth allows, stay in bounds.
  TBytes shortTable = InfoHeader(2, 1, 8, 0, 0, 1);
  shortTable.U32(0x123456).U8(0).U8(200).U16(0);
  EXPECT_EQ(Load(shortTable).Pixel(1, 0), 0u);
  TBytes longTable = InfoHeader(1, 1, 1, 0, 0, 5);
  longTable.U32(1).U32(2).U32(3).U32(4).U32(5).U8(0x80).U8(0).U16(0);
  EXPECT_EQ(Load(longTable).Pixel(0, 0), 2u);
  // Runs and deltas leaving the bitmap are dropped.
  TBytes wild;
  wild.U8(255).U8(1).U8(0).U8(2).U8(255).U8(255).U8(4).U8(1).U8(0).U8(0).U8(0).U8(200);
  TBytes rle = InfoHeader(2, 2, 8, 1, static_cast<uint32_t>(wild.bytes.size()), 2);
  TwoColours(rle).Raw(wild.bytes);
  EXPECT_EQ(Load(rle).Pixels(), (std::vector<uint32_t>{0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000}));
  // No bytes at all is an empty picture.
  EXPECT_TRUE(Load(TBytes()).Empty());
}

TEST(Dib, BmpFilesNeedTheirMagicAndMayPointPastAGap) {
  TDIB dib;
  EXPECT_THROW(dib.LoadFromBmpFile(TBytes().Raw("BA").Fill(60, 0).bytes), engine::EInvalidGraphic);
  EXPECT_THROW(dib.LoadFromBmpFile(TBytes().Raw("BM").Fill(5, 0).bytes), engine::EInvalidGraphic);
  TBytes file;
  file.Raw("BM").U32(0).U32(0).U32(14 + 40 + 8);
  file.Raw(InfoHeader(1, 1, 24).bytes).Fill(8, 0xEE).U8(1).U8(2).U8(3).U8(0);
  dib.LoadFromBmpFile(file.bytes);
  EXPECT_EQ(dib.Pixel(0, 0), 0x030201u);
  // Written back as a BMP file, the gap is kept and the file reads the same.
  TDIB again;
  again.LoadFromBmpFile(dib.BmpFile());
  EXPECT_EQ(again.Pixels(), dib.Pixels());
}

TEST(Dib, MadePicturesReadBackAsTheyWereGiven) {
  const std::vector<uint32_t> pixels{0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};
  const TDIB made = TDIB::FromPixels(3, 2, pixels);
  EXPECT_EQ(made.Pixels(), pixels);
  TDIB again;
  again.LoadFromBmpFile(made.BmpFile());
  EXPECT_EQ(again.Pixels(), pixels);
  EXPECT_EQ(again.DibData(), made.DibData());
}

// A BMP written by another program (ImageMagick, which install-deps brings), in each of the
// layouts it writes with the short or the long header.
TEST(Dib, ReadsBmpFilesMadeByAnotherProgram) {
  if (std::system("convert -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no convert";
  test_support::TTempWorkDir dir;
  const struct {
    const char* format;
    const char* options;
  } kinds[] = {{"BMP3", "-type TrueColor"},
               {"BMP3", "-type Palette"},
               {"BMP3", "-type Palette -compress RLE"},
               {"BMP2", "-type TrueColor"}};
  for (const auto& kind : kinds) {
    const std::string command = std::string("convert -size 5x3 xc:'#102030' -fill '#C08040' ") +
                                "-draw 'point 1,0' -draw 'point 4,2' " + kind.options + " " +
                                kind.format + ":picture.bmp";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in("picture.bmp", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    TDIB dib;
    dib.LoadFromBmpFile(bytes);
    ASSERT_EQ(dib.Width(), 5) << kind.options;
    ASSERT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.Pixel(0, 0), 0x102030u) << kind.options;
    EXPECT_EQ(dib.Pixel(1, 0), 0xC08040u) << kind.options;
    EXPECT_EQ(dib.Pixel(4, 2), 0xC08040u) << kind.options;
    EXPECT_EQ(dib.Pixel(3, 2), 0x102030u) << kind.options;
  }
}

}  // namespace
