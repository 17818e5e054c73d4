#include <gtest/gtest.h>

#include <tuple>

#include "platform/sdl/sdl_presenter.h"

namespace {

struct TPlacementCase {
  int windowWidth, windowHeight;
  SDL_Rect target;
};

void ExpectPlacements(platform::TScaleMode mode, std::initializer_list<TPlacementCase> cases) {
  for (const auto& c : cases) {
    platform::TSdlPresenter presenter;
    presenter.SetMode(mode);
    presenter.Place(c.windowWidth, c.windowHeight, 800, 600);
    const SDL_Rect& t = presenter.Target();
    EXPECT_EQ(std::tie(t.x, t.y, t.w, t.h),
              std::tie(c.target.x, c.target.y, c.target.w, c.target.h))
        << c.windowWidth << "x" << c.windowHeight;
  }
}

TEST(SdlPresenter, IntegerScalesByTheLargestWholeFactorThatFitsAndCentres) {
  ExpectPlacements(platform::TScaleMode::Integer, {{800, 600, {0, 0, 800, 600}},
                                                   {1024, 768, {112, 84, 800, 600}},
                                                   {1920, 1080, {560, 240, 800, 600}},
                                                   {1600, 1200, {0, 0, 1600, 1200}},
                                                   {2560, 1440, {480, 120, 1600, 1200}},
                                                   {3840, 2160, {720, 180, 2400, 1800}},
                                                   {640, 480, {0, 0, 640, 480}},
                                                   {700, 600, {0, 37, 700, 525}}});
}

// Sharp and smooth fill the screen's height (or width) with the shape kept.
TEST(SdlPresenter, FittingFillsTheBindingSideAndCentres) {
  for (auto mode : {platform::TScaleMode::Sharp, platform::TScaleMode::Smooth}) {
    ExpectPlacements(mode, {{800, 600, {0, 0, 800, 600}},
                            {1920, 1080, {240, 0, 1440, 1080}},
                            {1280, 720, {160, 0, 960, 720}},
                            {2560, 1440, {320, 0, 1920, 1440}},
                            {3840, 2160, {480, 0, 2880, 2160}},
                            {1600, 1200, {0, 0, 1600, 1200}},
                            {1280, 1024, {0, 32, 1280, 960}},
                            {700, 600, {0, 37, 700, 525}}});
  }
}

TEST(SdlPresenter, MousePositionsGoThroughTheScalingBothWays) {
  platform::TSdlPresenter presenter;
  presenter.SetMode(platform::TScaleMode::Integer);
  presenter.Place(2560, 1440, 800, 600);
  const platform::TPoint corner = presenter.ToPicture(480, 120);
  EXPECT_EQ(corner.x, 0);
  EXPECT_EQ(corner.y, 0);
  const platform::TPoint middle = presenter.ToPicture(480 + 800, 120 + 600);
  EXPECT_EQ(middle.x, 400);
  EXPECT_EQ(middle.y, 300);
  const platform::TPoint back = presenter.FromPicture(400, 300);
  EXPECT_EQ(back.x, 1280);
  EXPECT_EQ(back.y, 720);
  // A point in the black border lies outside the picture (the system's arrow shows there,
  // its hand over the picture).
  EXPECT_LT(presenter.ToPicture(10, 10).x, 0);
  EXPECT_FALSE(presenter.OnPicture(10, 10));
  EXPECT_FALSE(presenter.OnPicture(479, 720));
  EXPECT_TRUE(presenter.OnPicture(480, 120));
  EXPECT_TRUE(presenter.OnPicture(480 + 1599, 120 + 1199));
  EXPECT_FALSE(presenter.OnPicture(480 + 1600, 720));
  EXPECT_FALSE(presenter.OnPicture(1280, 120 + 1200));
}

}  // namespace
