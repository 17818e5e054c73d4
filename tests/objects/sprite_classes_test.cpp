#include <gtest/gtest.h>

#include "engine/engine_error.h"
#include "objects/menu_button.h"
#include "objects/my_cursor.h"
#include "objects/my_image_sprite.h"
#include "objects/scroll_background.h"
#include "objects/value_steps.h"
#include "support/fake_world.h"

namespace {

// A small world with the game's own image lists, 10 ms frames.
struct GameSpriteFixture : ::testing::Test {
  test_support::TFakeWorld world;

  void SetUp() override { world.FrameMs = 10; }
  engine::TSpriteEngine& Root() { return world.Root; }
};

TEST_F(GameSpriteFixture, OnePatternAnimationEndsOnceItPassesHalfAPattern) {
  auto* s = new TMyImageSprite(world, 2, "Hero", 10, 20, 7);
  EXPECT_EQ(s->Width, 55);
  EXPECT_EQ(s->Z(), 7);
  EXPECT_EQ(s->AnimFrames, 1);
  s->AnimSpeed = 10;  // 0.1 patterns a frame from the second step on
  s->HideAtEnd = true;
  int frames = 0;
  while (s->Visible && frames < 100) {
    s->Step(world.FrameMs);
    ++frames;
  }
  // The first step runs at the old rate (0); then 0.1, 0.2 ... passes 0.5 on the sixth.
  EXPECT_EQ(frames, 7);
  EXPECT_EQ(s->AnimFrame, 0);
}

TEST_F(GameSpriteFixture, SpeedZeroKeepsTheRateAndPlayOnceHidesAtTheEnd) {
  auto* s = new TMyImageSprite(world, 2, "Explosion", 0, 0, 0);
  s->AnimRate = 0.05;  // half a pattern a 10 ms frame
  s->PlayLoop("MBirdEat", 0);
  EXPECT_EQ(s->AnimFrames, 3);
  s->Step(10);
  EXPECT_DOUBLE_EQ(s->AnimFrame, 0.5);
  s->PlayOnce("Explosion", 100);  // a pattern a frame once the rate has been set
  s->Step(10);
  int frames = 1;
  while (s->Visible && frames < 100) {
    s->Step(10);
    ++frames;
  }
  EXPECT_FALSE(s->Visible);
  EXPECT_FALSE(s->IsDead());  // hidden, not killed
  EXPECT_LE(frames, 10);
}

TEST_F(GameSpriteFixture, KillOnceMarksTheSpriteDeadOnce) {
  auto* s = new TMyImageSprite(world, 2, "Player", 0, 0, 0);
  s->KillOnce();
  s->KillOnce();
  EXPECT_EQ(Root().DeadList.size(), 1u);
  const int before = Root().SpriteCount;
  Root().PurgeDead();
  EXPECT_EQ(Root().SpriteCount, before - 1);
  const int count = Root().SpriteCount;
  EXPECT_THROW(new TMyImageSprite(world, 2, "NoSuchImage", 0, 0, 0),
               engine::EPictureCollectionError);
  EXPECT_EQ(Root().SpriteCount, count);  // a sprite that could not be made leaves no trace
}

TEST_F(GameSpriteFixture, BlendedAtFullAlphaDrawsAsUnblended) {
  auto* s = new TMyImageSprite(world, 2, "Hero", 100.7, 50.2, 20);
  auto& surface = world.MakeSurface();
  surface.Fill(0);
  Root().RenderAll();
  const std::vector<uint32_t> plain(surface.Pixels(), surface.Pixels() + 800 * 600);
  s->Blended = true;
  s->Alpha = 255;
  surface.Fill(0);
  Root().RenderAll();
  EXPECT_TRUE(std::equal(plain.begin(), plain.end(), surface.Pixels()));
  // Half alpha over black darkens the opaque pixels, drawn from trunc(X), trunc(Y).
  s->Alpha = 128;
  surface.Fill(0);
  s->Render();
  const auto& hero = world.Images2.Items.FindImage("Hero");
  const uint32_t source = hero.Picture.Pixel(27, 30);
  const uint32_t blended = surface.Pixel(100 + 27, 50 + 30);
  EXPECT_EQ(blended & 0xFF, (source & 0xFF) * 128 / 256);
}

TEST_F(GameSpriteFixture, ScrollingBandsStayWithinOneTileWidth) {
  auto* hills = new TScrollBackground(world, 2, "Hills1", 2, 1);
  hills->SpeedX = -4;
  world.SpeedFactor = 85.0 / 60;
  EXPECT_EQ(hills->Width, 800);  // one tile; the map repeats it
  for (int i = 0; i < 1000; ++i) {
    hills->Step(16);
    ASSERT_GE(hills->X, -800);
    ASSERT_LE(hills->X, 0);
  }
  hills->SetImageFrom("MMB", 1);
  EXPECT_EQ(hills->Width, 800);
  EXPECT_EQ(hills->Height, 600);
}

TEST_F(GameSpriteFixture, CursorBlinksOnlyWhileTyping) {
  auto* cursor = new TMyCursor(world, 1, "Cursor", 10, 10, 15, 50);
  EXPECT_FALSE(cursor->Visible);
  cursor->Blinking = true;
  std::string seen;
  for (int i = 0; i < 14; ++i) {
    cursor->Step(10);
    seen += cursor->Visible ? '#' : '.';
  }
  // The timer starts run out: the first step shows it, then each look lasts 50 ms + a frame.
  EXPECT_EQ(seen, "######......##");
  cursor->Blinking = false;
  cursor->Step(10);
  EXPECT_FALSE(cursor->Visible);
}

TEST_F(GameSpriteFixture, MenuButtonsSwitchBetweenTheirLooks) {
  TMenuButton* yes = new TMenuButton(world, 1, "Yes", "Yes", 0, 1, 320, 346);
  EXPECT_EQ(yes->AnimFrame, 1);
  EXPECT_EQ(yes->Z(), 4);
  yes->ShowActive();
  EXPECT_EQ(yes->AnimFrame, 0);
  TMenuButton* play = new TMenuButton(world, 1, "MM_1_A", "MM_1_I", 0, 0, 498, 150);
  EXPECT_EQ(play->Image(), &world.Images1.Items.FindImage("MM_1_I"));
  play->ShowActive();
  EXPECT_EQ(play->Image(), &world.Images1.Items.FindImage("MM_1_A"));
}

TEST(ValueSteps, WrapStopAndCountDownAtTheirEnds) {
  using namespace objects;
  const struct {
    void (*step)(int&, int, int);
    int from, lo, hi, expected;
  } wraps[] = {
      {StepNextWrap, 1, 1, 6, 2}, {StepNextWrap, 6, 1, 6, 1}, {StepNextWrap, 9, 1, 6, 1},
      {StepPrevWrap, 2, 1, 6, 1}, {StepPrevWrap, 1, 1, 6, 6}, {StepPrevWrap, 0, 1, 6, 6},
      {ClampToFirst, 7, 1, 6, 1}, {ClampToFirst, 3, 1, 6, 3}, {ClampToLast, 0, 1, 6, 6},
  };
  for (const auto& w : wraps) {
    int v = w.from;
    w.step(v, w.lo, w.hi);
    EXPECT_EQ(v, w.expected) << w.from;
  }
  int v = 5;
  StepUp(v, 6, 1);
  StepUp(v, 6, 1);
  EXPECT_EQ(v, 6);
  StepDown(v, 5, 2);
  EXPECT_EQ(v, 6);
  int timer = 20;
  EXPECT_TRUE(CountDown(timer, 0, 15));
  EXPECT_FALSE(CountDown(timer, 0, 15));
  EXPECT_EQ(timer, 5);
}

}  // namespace
