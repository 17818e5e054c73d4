#include <string>
#include <utility>
#include <vector>

#include "engine/draw_recorder.h"
#include "objects/field_fixture.h"

namespace {

using ShotLooks = TFieldFixture;

// Told of each picture drawn: its name and the box it was given (a turned picture's box starts
// at the centre it was turned about and is as large as it was drawn).
struct TPicturesDrawn : engine::TDrawRecorder {
  std::vector<std::pair<std::string, engine::TRect>> pictures;
  void TextDrawn(const std::string&, const engine::TRect&) override {}
  void PictureDrawn(const std::string& name, const engine::TRect& where,
                    const engine::TRect&) override {
    pictures.emplace_back(name, where);
  }
};

// The hunters' shots hit with the plain pictures' boxes, a gun shot 16 × 6 and a rocket
// 28 × 10, and are drawn with the pictures turned back for their tilt, at those pictures' own
// size, centred on the middle of the plain box. Every other shot draws its plain picture,
// whatever its angle.
TEST_F(ShotLooks, HuntersShotsHitWithThePlainBoxesAndAreDrawnTurnedOnTheirMiddle) {
  TPicturesDrawn drawn;
  world.MakeSurface().Recorder = &drawn;
  const struct {
    uint8_t hunter;
    std::string plain;
    int width, height, shots;
  } cases[] = {{0, "GunBulletRed", 16, 6, 3},
               {1, "GunBulletRed", 16, 6, 1},
               {2, "RocketBulletRed", 28, 10, 1}};
  for (const auto& c : cases) {
    world.Shots.clear();
    (new TGroundGun(world, c.hunter, 1, 500, 480, 6))->Fire();
    EXPECT_EQ(world.Shots.size(), static_cast<size_t>(c.shots)) << int{c.hunter};
    const engine::TPictureCollectionItem& turned =
        world.Images2.Items.FindImage(c.plain + "Tilted");
    for (const auto& s : world.Shots) {
      EXPECT_TRUE(s.Tilt);
      TBullet& shot = ShotOf(s);
      EXPECT_EQ(shot.Image()->Name(), c.plain);
      EXPECT_EQ(std::pair(shot.Width, shot.Height), std::pair(c.width, c.height));
      drawn.pictures.clear();
      shot.Render();
      ASSERT_EQ(drawn.pictures.size(), 1u);
      const auto& [name, where] = drawn.pictures[0];
      EXPECT_EQ(name, c.plain + "Tilted");
      EXPECT_EQ(std::pair(where.Left, where.Top), std::pair(s.X + c.width / 2, s.Y + c.height / 2));
      EXPECT_EQ(std::pair(where.Width(), where.Height()),
                std::pair(turned.Width(), turned.Height()));
      Remove(shot);
    }
  }
  for (TBullet* shot : {&Shot(300, 200, 7, -10, TBullet::kRocket, TBullet::kPlayerSide),
                        &Shot(300, 200, 8, -128, TBullet::kRocket, TBullet::kEnemySide)}) {
    drawn.pictures.clear();
    shot->Render();
    ASSERT_EQ(drawn.pictures.size(), 1u);
    EXPECT_EQ(drawn.pictures[0].first, "RocketBulletRed");
  }
  world.Surface->Recorder = nullptr;
}

// A shot flies along its angle whatever picture it wears, each component truncated, scaled by
// the frame's speed; a bomb falls straight down whatever it was given.
TEST_F(ShotLooks, AShotFliesAlongItsAngleAndABombStraightDown) {
  world.SpeedFactor = 1.5;
  for (bool tilt : {false, true}) {
    auto* shot =
        new TBullet(world, 1, 490, 483, 6, 10, -90, TBullet::kGunShot, TBullet::kEnemySide, tilt);
    EXPECT_EQ(std::pair(shot->VelX, shot->VelY), std::pair(-5, -8)) << tilt;
    Steps(*shot, 2);
    EXPECT_DOUBLE_EQ(shot->X, 490 - 2 * 7.5);
    EXPECT_DOUBLE_EQ(shot->Y, 483 - 2 * 12);
    Remove(*shot);
  }
  const TBullet& rocket = Shot(700, 100, 8, -128, TBullet::kRocket, TBullet::kEnemySide);
  EXPECT_EQ(std::pair(rocket.VelX, rocket.VelY), std::pair(-8, 0));
  const TBullet& bomb = Shot(300, 100, 8, 64, TBullet::kBomb, TBullet::kEnemySide);
  EXPECT_EQ(std::pair(bomb.VelX, bomb.VelY), std::pair(0, 1));
}

using ShotMeetings = TFieldFixture;

// Shots of one side pass through each other; a shot meets the first of the other side's it
// touches and both go, and a mega shot among them sets off its blast over the whole field.
TEST_F(ShotMeetings, OnlyShotsOfTwoSidesMeetAndAMegaShotMeetingOneBlasts) {
  TBullet& theirs = Shot(300, 200, 0, 0, TBullet::kGunShot, TBullet::kEnemySide);
  TBullet& theirsToo = Shot(305, 200, 0, 0, TBullet::kGunShot, TBullet::kEnemySide);
  Steps(theirs, 1);
  Steps(theirsToo, 1);
  EXPECT_FALSE(theirs.Exploded || theirsToo.Exploded);
  TBullet& mine = Shot(300, 200, 0, 0, TBullet::kGunShot, TBullet::kPlayerSide);
  TBullet& mineToo = Shot(305, 200, 0, 0, TBullet::kGunShot, TBullet::kPlayerSide);
  Steps(mine, 1);
  EXPECT_TRUE(mine.Exploded);
  EXPECT_FALSE(mine.Visible);  // a gun shot leaves no blast
  EXPECT_NE(theirs.Exploded, theirsToo.Exploded);
  EXPECT_FALSE(mineToo.Exploded);
  EXPECT_TRUE(world.Effects.empty());

  TMonster& far = AddMonster(700, 100, TMonster::kAirplane);
  world.Monsters.Put(1, &far);
  world.EnemiesLeft = 5;
  TBullet& mega = Shot(300, 400, 0, 0, TBullet::kMegaShot, TBullet::kPlayerSide);
  TBullet& bullet = Shot(305, 400, 0, 0, TBullet::kGunShot, TBullet::kEnemySide);
  Steps(bullet, 1);
  EXPECT_TRUE(mega.Exploded && bullet.Exploded);
  EXPECT_TRUE(far.Dying);
  EXPECT_EQ(world.Score, 10);
  EXPECT_EQ(world.EnemiesLeft, 4);
  EXPECT_EQ(world.Effects, (std::vector<std::string>{"Explosion2", "Explosion2"}));
}

using BonusKicks = TFieldFixture;

// The craft's shots push a bonus right against the hills' drift for 300 ms; the enemy's
// leave it be.
TEST_F(BonusKicks, APlayerShotKicksABonusRightForAMoment) {
  hills->SpeedX = -4;
  auto* bonus = new TBonus(world, 500, 300, 6, 1, objects::TBonusKind::TripleRocket);
  TBullet& theirs = Shot(505, 310, 0, 0, TBullet::kGunShot, TBullet::kEnemySide);
  Steps(theirs, 1);
  EXPECT_EQ(bonus->KickSpeed, 0);
  Remove(theirs);
  Steps(Shot(505, 310, 10, 0, TBullet::kGunShot, TBullet::kPlayerSide), 1);
  EXPECT_EQ(bonus->KickSpeed, 6);
  const double x = bonus->X;
  Steps(*bonus, 1);
  EXPECT_DOUBLE_EQ(bonus->X, x + 2);
  // 300 ms: 28 frames of 11 ms, then the drift alone.
  Steps(*bonus, 27);
  EXPECT_DOUBLE_EQ(bonus->X, x + 28 * 2);
  EXPECT_EQ(bonus->KickSpeed, 0);
  Steps(*bonus, 1);
  EXPECT_DOUBLE_EQ(bonus->X, x + 28 * 2 - 4);
  EXPECT_TRUE(world.FreedBonuses.empty());
}

// A kick that finds the bonus already past 800 sends it off the field for good.
TEST_F(BonusKicks, ABonusKickedPastTheRightEdgeIsGone) {
  auto* atEdge = new TBonus(world, 800, 300, 6, 2, objects::TBonusKind::Score);
  atEdge->Kick();
  EXPECT_TRUE(world.FreedBonuses.empty());
  auto* past = new TBonus(world, 800.5, 300, 6, 3, objects::TBonusKind::Score);
  past->Kick();
  EXPECT_EQ(world.FreedBonuses, std::vector<int>{3});
}

}  // namespace
