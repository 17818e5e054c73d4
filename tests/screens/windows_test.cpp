#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/draw_recorder.h"
#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"
#include "screens/options_screen.h"
#include "support/screens.h"
#include "text/cp1251.h"

namespace {

namespace vk = platform::vk;

constexpr uint8_t kQuitGame = 1;
constexpr uint8_t kQuitToMenu = 2;

struct TArea {
  int left, top, right, bottom;
};

std::vector<uint32_t> Cut(const platform::THeadlessPlatform& platform, TArea area) {
  std::vector<uint32_t> pixels;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      pixels.push_back(platform.LastFrame()[y * 800 + x]);
  return pixels;
}

using WindowAnswer = GameFixture;

TEST_F(WindowAnswer, NoByKeyKeepsTheHeadsUpDisplayOnTheFrameOfTheAnswer) {
  form->Game.Score = 1234;
  const TArea score{590, 10, 680, 42};  // the score, white, centred at 633, 25
  platform.KeyDown(vk::kEscape);
  Frame();
  platform.KeyUp(vk::kEscape);
  Frame();
  ASSERT_EQ(form->WindowOpen(), kQuitToMenu);
  const std::vector<uint32_t> shown = Cut(platform, score);
  EXPECT_GT(std::count(shown.begin(), shown.end(), 0xFFFFFFu), 10) << "no score drawn";
  platform.KeyDown('N');
  Frame();
  ASSERT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(Cut(platform, score), shown) << "the frame of the answer lost the score";
}

using WindowOverOptions = test_support::THeadlessFormFixture;

// The texts a frame puts on the surface (code page 1251) and their boxes.
struct TTextsDrawn : engine::TDrawRecorder {
  std::vector<std::pair<std::string, engine::TRect>> texts;
  void TextDrawn(const std::string& cp1251, const engine::TRect& ink) override {
    texts.emplace_back(cp1251, ink);
  }
  void PictureDrawn(const std::string&, const engine::TRect&, const engine::TRect&) override {}
};

TEST_F(WindowOverOptions, CoversTheOptionsTexts) {
  test_support::ShowScreen<TOptionsScreen>(*form);
  Frames(2);
  platform.RequestClose();
  TTextsDrawn drawn;
  form->MDXDraw.Surface().Recorder = &drawn;
  Frame();
  form->MDXDraw.Surface().Recorder = nullptr;
  ASSERT_EQ(form->WindowOpen(), kQuitGame);
  // The music row's texts lie across the window, between its question and its buttons: they
  // are drawn in the frame, and the window over them.
  const auto& window = form->MDXImageList1.Items.FindImage("Window");
  const uint32_t clear = window.TransparentPixel();
  const int left = 256;
  const int top = 226;
  const int rowTop = 323;
  const int rowBottom = 343;
  std::vector<std::string> underTheWindow;
  for (const auto& [text, ink] : drawn.texts)
    if (ink.Top < rowBottom && ink.Bottom > rowTop && ink.Left < left + window.Width() &&
        ink.Right > left)
      underTheWindow.push_back(text::Utf8FromCp1251(text));
  EXPECT_EQ(underTheWindow, (std::vector<std::string>{"МУЗЫКА:", "ВКЛ.", "/", "ВЫКЛ."}));
  int covered = 0;
  for (int y = rowTop; y < rowBottom; ++y) {
    for (int x = left; x < std::min(left + window.Width(), 800); ++x) {
      const uint32_t backdrop = window.Picture.Pixel(x - left, y - top);
      if (backdrop == clear) continue;
      ASSERT_EQ(platform.LastFrame()[y * 800 + x], backdrop) << "at " << x << ", " << y;
      ++covered;
    }
  }
  EXPECT_GT(covered, 1000);
}

}  // namespace
