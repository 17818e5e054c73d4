#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "engine/component_stream.h"
#include "engine/dx_draw.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "engine/engine_error.h"
#include "engine/picture_collection.h"
#include "engine/riff_wave.h"
#include "engine/wave_collection.h"
#include "platform/headless/headless_platform.h"
#include "support/byte_builder.h"
#include "support/image_list_on_display.h"

// Well-formed lists that ask for more than a list may hold, and pattern grids with sizes
// near 2^31: refused with the format's message while being read, or drawn without a fault.
namespace {

using engine::Bounds;
using engine::TPictureCollection;
using test_support::InfoHeader;
using test_support::TBytes;

std::vector<uint8_t> Stream(const std::string& className, const TBytes& properties) {
  TBytes body;
  body.Raw("TPF0").Str(className).Str("").Raw(properties.bytes).U8(0).U8(0);
  TBytes file = test_support::ResourceHeader("X", static_cast<uint32_t>(body.bytes.size()));
  return file.Raw(body.bytes).bytes;
}

// Nothing but an end-of-bitmap mark: a picture of any size in a few bytes.
TBytes RunLengthPicture(int width, int height) {
  TBytes data;
  data.Str("TDIB").Raw(InfoHeader(width, height, 8, 1, 2, 2).bytes).U32(0).U32(0xFFFFFF);
  return data.U8(0).U8(1);
}

struct TImage {
  int width, height;
  int patternWidth = 0, patternHeight = 0;
};

std::vector<uint8_t> ImageList(const std::vector<TImage>& images) {
  TBytes list;
  list.Str("List").U8(14);
  for (const TImage& image : images) {
    const TBytes picture = RunLengthPicture(image.width, image.height);
    list.U8(1);
    list.Str("PatternHeight").U8(4).U32(static_cast<uint32_t>(image.patternHeight));
    list.Str("PatternWidth").U8(4).U32(static_cast<uint32_t>(image.patternWidth));
    list.Str("Picture.Data").U8(10).U32(static_cast<uint32_t>(picture.bytes.size()));
    list.Raw(picture.bytes).U8(0);
  }
  return Stream(TPictureCollection::kComponentClassName, list.U8(0));
}

// One sound of the slowest rate and smallest samples: it grows most when converted.
std::vector<uint8_t> SoundList(uint32_t samples) {
  constexpr uint32_t kRate = 4000;
  TBytes riff;
  riff.Raw("RIFF").U32(36 + samples).Raw("WAVEfmt ").U32(16);
  riff.U16(1).U16(1).U32(kRate).U32(kRate).U16(1).U16(8);
  riff.Raw("data").U32(samples).Fill(samples, 128);
  TBytes list;
  list.Str("List").U8(14).U8(1).Str("Name").U8(6).Str("Roar");
  list.Str("Wave.WAVE").U8(10).U32(static_cast<uint32_t>(riff.bytes.size())).Raw(riff.bytes);
  return Stream(engine::TWaveCollection::kComponentClassName, list.U8(0).U8(0));
}

// The message a read is refused with, checking that nothing stays half read.
template <typename TList>
std::string Refusal(TList& list, const std::vector<uint8_t>& bytes) {
  try {
    list.LoadFromBytes(bytes);
  } catch (const engine::EEngineError& e) {
    EXPECT_EQ(list.Count(), 0);
    return e.what();
  }
  return "accepted";
}

using HostileImageLists = test_support::TImageListOnDisplay;

TEST_F(HostileImageLists, ThePicturesOfAListShareItsPixels) {
  static_assert(TPictureCollection::kMostPixels == 4096 * 4096);
  EXPECT_EQ(Refusal(items, ImageList({{4096, 4095}, {4096, 1}})), "accepted");
  EXPECT_EQ(Refusal(items, ImageList({{4096, 4095}, {4096, 1}, {1, 1}})), "DIB is invalid");
  EXPECT_EQ(Refusal(items, ImageList({{8192, 8192}})), "DIB is invalid");
}

TEST_F(HostileImageLists, PatternsAreCountedBeforeTheDisplayMakesThem) {
  static_assert(TPictureCollection::kMostPatterns == 512 * 512);
  const std::string tooMany = "Error reading PatternWidth: Invalid property value";
  EXPECT_EQ(Refusal(items, ImageList({{512, 512, 1, 1}, {4, 4, 2, 2}})), tooMany);
  EXPECT_EQ(Refusal(items, ImageList({{2048, 2048, 1, 1}})), tooMany);
  // Exactly as many as a list may hold: the display makes every one of them.
  EXPECT_EQ(Refusal(items, ImageList({{512, 512, 1, 1}})), "accepted");
  draw.Initialize();
  EXPECT_EQ(items.Items(0).PatternCount(), 512 * 512);
  EXPECT_EQ(items.Items(0).PatternRect(512 * 512 - 1), Bounds(511, 511, 1, 1));
}

TEST_F(HostileImageLists, PatternsLargerThanAnyPictureAreRefused) {
  static_assert(engine::TDIB::kLargestSide == 16384);
  EXPECT_EQ(Refusal(items, ImageList({{64, 32, 16384, 16384}})), "accepted");
  EXPECT_EQ(Refusal(items, ImageList({{64, 32, 16385, 0}})),
            "Error reading PatternWidth: Invalid property value");
  EXPECT_EQ(Refusal(items, ImageList({{64, 32, 0, INT_MAX}})),
            "Error reading PatternHeight: Invalid property value");
}

// Cells and gaps are summed in 64 bits: a gap near 2^31 after a narrow pattern still leaves
// one column, and cells wider than the picture or swallowed by the gaps leave none.
TEST_F(HostileImageLists, PatternGridsNearTwoToTheThirtyOneAreCutExactly) {
  struct TCase {
    int patternWidth, skipWidth;
    int64_t patterns;
    engine::TRect last;
  };
  const TCase cases[] = {
      {10, INT_MAX - 5, 1, Bounds(0, 0, 10, 32)},
      {16384, INT_MAX, 0, {}},
      {INT_MAX, 1 - INT_MAX, 0, {}},  // a one-pixel cell starting far left of the picture
      {5, INT_MIN, 0, {}},
      {16, -8, 7, Bounds(48, 0, 16, 32)},  // overlapping cells: every 8 pixels
  };
  draw.Initialize();
  for (const bool systemMemory : {false, true}) {
    for (const TCase& c : cases) {
      auto& item = items.Add();
      item.Picture = engine::TDIB::FromPixels(64, 32, std::vector<uint32_t>(64 * 32, 0x123456));
      item.PatternWidth = c.patternWidth;
      item.SkipWidth = c.skipWidth;
      item.PatternHeight = 32;
      item.SystemMemory = systemMemory;
      EXPECT_EQ(item.RestoredPatternCount(), c.patterns) << c.skipWidth;
      item.Restore();
      const int last = static_cast<int>(c.patterns) - 1;
      EXPECT_EQ(item.PatternRect(last), c.last) << c.skipWidth << " " << systemMemory;
      EXPECT_EQ(item.PatternSurface(last) != nullptr, c.patterns > 0) << c.skipWidth;
      EXPECT_EQ(item.PatternSurface(last + 1), nullptr) << c.skipWidth;
      item.Draw(draw.Surface(), 0, 0, 0);
    }
  }
}

TEST(HostileSoundLists, TheSoundsOfAListShareWhatTheMixerMayHold) {
  // 48 bytes for the mixer for each byte read, counted at 48 kHz.
  constexpr int64_t kFitting = engine::TWaveCollection::kMostConvertedBytes / 48;
  engine::TWaveCollection waves;
  EXPECT_EQ(Refusal(waves, SoundList(kFitting + 1)), "Wave is invalid");
  EXPECT_EQ(Refusal(waves, SoundList(kFitting)), "accepted");
  ASSERT_EQ(waves.Count(), 1);
  const engine::TWave& wave = waves.Items(0).Wave;
  // The count is what conversion makes.
  for (const int rate : {44100, 48000})
    EXPECT_EQ(engine::ConvertedBytes(wave, rate),
              static_cast<int64_t>(engine::ConvertForMixer(wave, rate).size() * 2));
}

TEST(HostileStreams, TheElementsOfAStreamAreCountedAsTheyAreRead) {
  // The property and its list are two elements, each value in the list one more.
  auto values = [](int count) {
    TBytes property;
    property.Str("Values").U8(1).Fill(static_cast<size_t>(count), 8).U8(0);
    return Stream("TThing", property);
  };
  EXPECT_NO_THROW(engine::ReadComponentStream(values(engine::kMostStreamElements - 2)));
  try {
    engine::ReadComponentStream(values(engine::kMostStreamElements - 1));
    FAIL();
  } catch (const engine::EReadError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
}

}  // namespace
