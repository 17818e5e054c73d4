#include "engine/sprite_engine.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/background_sprite.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "engine/engine_error.h"
#include "engine/image_sprite.h"
#include "platform/headless/headless_platform.h"

namespace {

using engine::Bounds;
using engine::TRect;
using engine::TSprite;
using engine::TSpriteEngine;

// A sprite that writes what happens to it into a shared log.
struct TLogged : TSprite {
  TLogged(TSprite* parent, std::string name, std::string& log)
      : TSprite(parent), name(std::move(name)), log(log) {
    Width = Height = 10;
  }
  ~TLogged() override { log += "~" + name + " "; }
  void Render() override { log += "r" + name + " "; }
  void Step(int32_t) override {
    log += "s" + name + " ";
    if (onStep) onStep();
  }
  void OnHit(TSprite& other, bool& done) override {
    log += name + ">" + static_cast<TLogged&>(other).name + " ";
    if (onHit) onHit(done);
  }
  std::string name;
  std::string& log;
  std::function<void()> onStep;
  std::function<void(bool&)> onHit;
};

struct SpriteFixture : ::testing::Test {
  std::string log;
  engine::TDirectDrawSurface surface{100, 100};
  TSpriteEngine root;
  SpriteFixture() { root.SetSurface(&surface); }
  TLogged* Make(const std::string& name, TSprite* parent = nullptr) {
    return new TLogged(parent ? parent : &root, name, log);
  }
};

TEST_F(SpriteFixture, EqualDepthsDrawTheLaterFirstAndSetZResorts) {
  Make("a");
  Make("b");
  TLogged* c = Make("c");
  root.RenderAll();
  EXPECT_EQ(log, "rc rb ra ");
  log.clear();
  c->SetZ(5);
  Make("d")->SetZ(5);  // inserted later at the same depth: drawn under c
  root.RenderAll();
  EXPECT_EQ(log, "rb ra rd rc ");
  EXPECT_EQ(root.DrawCount, 4);
}

TEST_F(SpriteFixture, PassesSkipHiddenStillAndOffscreenSprites) {
  TLogged* still = Make("still");
  Make("child", still);
  still->CanMove = false;
  TLogged* hidden = Make("hidden");
  Make("hiddenchild", hidden);
  hidden->Visible = false;
  TLogged* away = Make("away");
  away->X = -10;              // its right edge is 0: touching is not overlapping
  Make("near", away)->X = 5;  // children draw whether or not the parent was on screen
  root.StepAll(16);
  EXPECT_EQ(log, "shidden shiddenchild saway snear ");
  log.clear();
  root.RenderAll();
  // Equal depths draw the later first: away (off screen, but its child draws), then still.
  EXPECT_EQ(log, "rnear rstill rchild ");
  EXPECT_EQ(root.DrawCount, 3);
}

TEST_F(SpriteFixture, ChildrenMadeDuringTheMovePassWaitForTheNextFrame) {
  TLogged* parent = Make("p");
  parent->onStep = [&] { Make("new"); };
  root.StepAll(1);
  EXPECT_EQ(log, "sp ");
  EXPECT_EQ(root.Count(), 2);
  EXPECT_EQ(root.SpriteCount, 2);
}

TEST_F(SpriteFixture, ATesterThatKillsItselfStillMeetsLaterSiblings) {
  TLogged* tester = Make("t");
  Make("a");
  TLogged* b = Make("b");
  Make("bchild", b);
  Make("c")->X = 10;  // touches the tester's right edge only
  tester->onHit = [&](bool&) { tester->Kill(); };
  EXPECT_EQ(tester->CheckHits(), 2);
  // The kill sets HitDone, which only stops the descent into b's children.
  EXPECT_EQ(log, "t>a t>b ");
  EXPECT_EQ(tester->CheckHits(), 0);  // dead testers find nothing
}

TEST_F(SpriteFixture, HitDoneCutsOnlyTheDescentAndCanHitHidesASubtree) {
  TLogged* tester = Make("t");
  TLogged* a = Make("a");
  Make("achild", a);
  TLogged* shy = Make("shy");
  Make("shychild", shy);
  shy->CanHit = false;
  Make("tchild", tester);  // the tester's own children are tested against it
  EXPECT_EQ(tester->CheckHits(), 3);
  EXPECT_EQ(log, "t>tchild t>a t>achild ");
  log.clear();
  tester->onHit = [](bool& done) { done = true; };
  EXPECT_EQ(tester->CheckHits(), 2);
  EXPECT_EQ(log, "t>tchild t>a ");
}

TEST_F(SpriteFixture, KilledSpritesLiveUntilPurgedLastKilledFirst) {
  TLogged* a = Make("a");
  TLogged* b = Make("b");
  Make("bchild", b);
  a->Kill();
  b->Kill();
  a->Kill();    // twice: once on the list
  root.Kill();  // the root cannot die
  EXPECT_EQ(root.DeadList.size(), 2u);
  root.StepAll(1);
  EXPECT_EQ(log, "sa sb sbchild ");
  log.clear();
  EXPECT_EQ(root.SpriteCount, 3);
  root.PurgeDead();
  EXPECT_EQ(log, "~b ~bchild ~a ");  // b, killed last, goes first, and its child with it
  EXPECT_EQ(root.SpriteCount, 0);
  EXPECT_EQ(root.Count(), 0);
  try {
    root.Child(3);
    FAIL();
  } catch (const engine::ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (3)");
  }
}

TEST_F(SpriteFixture, WorldPositionsAddUpTheParents) {
  root.X = 1;
  TLogged* a = Make("a");
  a->X = 10.5;
  TLogged* b = Make("b", a);
  b->X = 2.25;
  EXPECT_DOUBLE_EQ(b->WorldX(), 13.75);
  EXPECT_EQ(b->BoundsRect(), Bounds(14, 0, 10, 10));
  EXPECT_EQ(b->Engine(), &root);
}

TEST(ImageSpriteAnimation, NonLoopingStopsAtTheLastPatternAndLoopingWraps) {
  TSpriteEngine root;
  engine::TImageSprite once(&root);
  once.AnimFrames = 4;
  once.AnimRate = 0.01;
  engine::TImageSprite loop(&root);
  loop.AnimFrames = 4;
  loop.AnimRate = 0.01;
  loop.AnimLoop = true;
  const double onceExpected[] = {1, 2, 3, 3, 3};
  const double loopExpected[] = {1, 2, 3, 0, 1};
  for (int i = 0; i < 5; ++i) {
    once.Step(100);
    loop.Step(100);
    EXPECT_NEAR(once.AnimFrame, onceExpected[i], 1e-9) << i;
    EXPECT_NEAR(loop.AnimFrame, loopExpected[i], 1e-9) << i;
  }
  EXPECT_EQ(once.AnimRate, 0);
  // Pattern indexes round half to even.
  once.AnimFirst = 10;
  once.AnimFrame = 2.5;
  EXPECT_EQ(once.PatternIndex(), 12);
  once.AnimFrame = 3.5;
  EXPECT_EQ(once.PatternIndex(), 14);
}

TEST(ImageSpriteBounds, TiledSpritesWrapRoundTheSurface) {
  engine::TDirectDrawSurface surface(800, 600);
  TSpriteEngine root;
  root.SetSurface(&surface);
  engine::TImageSprite s(&root);
  s.Width = 10;
  s.Height = 10;
  s.Tiled = true;
  const struct {
    double x;
    int32_t left;
  } cases[] = {{-5, -5}, {805, -5}, {1615, -5}, {800, 800}, {400, 400}, {-815, -5}};
  for (const auto& c : cases) {
    s.X = c.x;
    EXPECT_EQ(s.BoundsRect().Left, c.left) << c.x;
  }
}

// Sprites over real image-list items, drawn on an initialised display.
struct DrawnSpriteFixture : ::testing::Test {
  platform::THeadlessPlatform platform;
  engine::TDXForm form{platform};
  engine::TDXDraw draw{&form};
  engine::TDXImageList images{&draw};
  engine::TDXSpriteEngine sprites{&draw};

  // A 2 × 2 grid of 4 × 4 patterns: pattern i filled with colour i + 1, with a transparent
  // (key 0) left column.
  engine::TPictureCollectionItem& Tiles() {
    std::vector<uint32_t> pixels(64);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) pixels[y * 8 + x] = x % 4 == 0 ? 0 : 1 + (y / 4) * 2 + x / 4;
    auto& item = images.Items.Add();
    item.SetName("Tiles");
    item.Picture = engine::TDIB::FromPixels(8, 8, pixels);
    item.PatternWidth = item.PatternHeight = 4;
    return item;
  }
};

TEST_F(DrawnSpriteFixture, TheComponentFollowsTheDisplay) {
  EXPECT_EQ(sprites.Engine().Surface(), nullptr);
  new engine::TImageSprite(&sprites.Engine());
  sprites.RenderAll();  // the display is not initialised: nothing is drawn
  EXPECT_EQ(sprites.Engine().DrawCount, 0);
  draw.Initialize();
  EXPECT_EQ(sprites.Engine().Surface(), &draw.Surface());
  EXPECT_EQ(sprites.Engine().Width, 800);
  draw.Finalize();
  EXPECT_EQ(sprites.Engine().Surface(), nullptr);
}

TEST_F(DrawnSpriteFixture, BackgroundMapsDrawTheirChipsAndLeaveNegativeOnesEmpty) {
  auto& tiles = Tiles();
  draw.Initialize();
  auto* band = new engine::TBackgroundSprite(&sprites.Engine());
  band->SetMapSize(3, 1);
  band->SetImage(&tiles);
  EXPECT_EQ(band->Width, 12);
  band->SetChip(1, 0, 3);
  band->SetChip(2, 0, -1);
  band->X = 2;
  band->Y = 1;
  draw.Surface().Fill(0x777777);
  sprites.RenderAll();
  const auto& s = draw.Surface();
  EXPECT_EQ(s.Pixel(2, 1), 0x777777u);   // the transparent column
  EXPECT_EQ(s.Pixel(3, 1), 1u);          // chip 0
  EXPECT_EQ(s.Pixel(7, 4), 4u);          // chip 3 in the second cell
  EXPECT_EQ(s.Pixel(11, 1), 0x777777u);  // the empty cell
  EXPECT_EQ(band->Chip(3, 0), -1);
  EXPECT_FALSE(band->HitCell(-1, 0));
  EXPECT_FALSE(band->CanHit);
  band->SetMapSize(0, 5);
  EXPECT_EQ(band->MapWidth(), 0);
  EXPECT_EQ(band->MapHeight(), 0);
  draw.Surface().Fill(0x777777);
  sprites.RenderAll();
  EXPECT_EQ(s.Pixel(3, 1), 0x777777u);
}

TEST_F(DrawnSpriteFixture, TiledBackgroundsCoverTheSurfaceFromAnyOffset) {
  auto& tiles = Tiles();
  draw.Initialize();
  auto* band = new engine::TBackgroundSprite(&sprites.Engine());
  band->SetMapSize(1, 1);
  band->SetImage(&tiles);
  band->SetChip(0, 0, 1);
  band->Tiled = true;
  band->X = -6;
  band->Y = 3;
  sprites.RenderAll();
  for (int x : {1, 2, 3, 401, 798, 799})
    for (int y : {0, 299, 599})
      EXPECT_EQ(draw.Surface().Pixel(x, y), (x + 6) % 4 == 0 ? 0u : 2u) << x << "," << y;
  EXPECT_EQ(band->BoundsRect(), Bounds(0, 0, 800, 600));
}

TEST_F(DrawnSpriteFixture, PixelHitsNeedOpaquePixelsOnBothSides) {
  auto& tiles = Tiles();
  tiles.SetTransparentColor(0);
  draw.Initialize();
  auto* a = new engine::TImageSprite(&sprites.Engine());
  auto* b = new engine::TImageSprite(&sprites.Engine());
  a->SetImage(&tiles);
  b->SetImage(&tiles);
  a->PixelHit = true;
  // b's transparent left column lies on a's last column: the rectangles overlap, the
  // pixels do not meet.
  b->X = 3;
  EXPECT_EQ(a->CheckHits(), 0);
  b->X = 2;
  EXPECT_EQ(a->CheckHits(), 1);
  a->PixelHit = false;
  b->X = 3;
  EXPECT_EQ(a->CheckHits(), 1);
}

}  // namespace
