#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"

namespace {

namespace vk = platform::vk;

using Kills = GameFixture;

TEST_F(Kills, AMegaShotKillsWhatItHitsForNothingAndItsBlastKillsTheRestForPoints) {
  UntilFlying();
  QuietField();
  TMonster& target = AddMonster(400, 100, TMonster::kHelicopter);
  TMonster& other = AddMonster(700, 300, TMonster::kAirplane);
  TGroundGun& hunter = AddHunter(600, 0);
  target.ShotsLeft = other.ShotsLeft = 0;
  target.SpeedX = other.SpeedX = 0;
  const int score = form->Game.Score;
  Fire(350, 110, 6, 0, TBullet::kMegaShot, TBullet::kPlayerSide);
  for (int i = 0; i < 100 && !target.Dying; ++i) Frame();
  ASSERT_TRUE(target.Dying);
  EXPECT_TRUE(other.Dying);
  EXPECT_TRUE(hunter.Dead);
  EXPECT_EQ(form->Game.Score - score, 10 + 45);  // the airplane and the hunter, not the target
}

using Weapons = GameFixture;

TEST_F(Weapons, TheMegaBombFiresThroughAReloadAndTheGunWaitsForItsOwn) {
  UntilFlying();
  QuietField();
  platform.KeyDown(vk::kSpace);
  Frames(2);  // the craft reads the fire key the frame after it went down
  ASSERT_EQ(ShotsOfKind(TBullet::kGunShot), 1);
  EXPECT_GT(player().ReloadTimer, 0);
  player().Give(objects::TBonusKind::MegaBomb);
  Frame();
  EXPECT_EQ(ShotsOfKind(TBullet::kMegaShot), 1);
  EXPECT_FALSE(player().Owns(objects::TBonusKind::MegaBomb));
  const int gunShots = ShotsOfKind(TBullet::kGunShot);
  // The bomb's reload is 500 ms: 45 frames without a new gun shot.
  Frames(44);
  EXPECT_EQ(ShotsOfKind(TBullet::kGunShot), gunShots);
  Frames(3);
  EXPECT_GT(ShotsOfKind(TBullet::kGunShot), gunShots);
  platform.KeyUp(vk::kSpace);
}

TEST_F(Weapons, AFullShotTableRefusesQuietly) {
  QuietField();
  for (int i = 0; i < 50; ++i) form->Game.FireShot(400, 100, 11, 0, 0, TBullet::kGunShot, 0, false);
  const int sprites = form->MDXSpriteEngine.Engine().SpriteCount;
  form->Game.FireShot(400, 100, 11, 0, 0, TBullet::kGunShot, 0, false);
  EXPECT_EQ(form->Game.Bullets.UsedCount(), 50);
  EXPECT_EQ(form->MDXSpriteEngine.Engine().SpriteCount, sprites);
  form->Game.FreeShot(17);
  form->Game.FireShot(400, 100, 11, 0, 0, TBullet::kGunShot, 0, false);
  EXPECT_EQ(form->Game.Bullets[17]->Slot, 17);  // the lowest free slot
}

using Shots = GameFixture;

TEST_F(Shots, ARocketSticksToItsHunterAndLetsGoWhenTheHunterIsGone) {
  UntilFlying();
  QuietField();
  TGroundGun& hunter = AddHunter(500, 1);
  hunter.ReloadTimer = 1000000;  // it must not fire at the test
  TBullet& rocket = Fire(430, 450, 7, 0, TBullet::kRocket, TBullet::kPlayerSide);
  for (int i = 0; i < 100 && rocket.TargetKind == TBullet::kFree; ++i) Frame();
  ASSERT_EQ(rocket.TargetKind, TBullet::kOnHunter);
  EXPECT_EQ(hunter.HitPoints, 6);
  EXPECT_TRUE(rocket.Exploded);
  Frames(5);
  EXPECT_EQ(rocket.X, hunter.X + rocket.OffsetX);  // it rides along with the drift
  EXPECT_EQ(rocket.Y, hunter.Y + rocket.OffsetY);

  // The hunter's slot is freed and taken by another one at once.
  const int slot = hunter.Slot;
  form->Game.FreeGroundGun(slot);
  Frame();
  TGroundGun& newcomer = AddHunter(200, 0);
  ASSERT_EQ(newcomer.Slot, slot);
  const double x = rocket.X;
  Frame();
  EXPECT_EQ(rocket.TargetKind, TBullet::kFree);
  EXPECT_NE(rocket.X, newcomer.X + rocket.OffsetX);
  EXPECT_NEAR(rocket.X, x, 8);  // it finishes where it was
}

TEST_F(Shots, AnEnemyBombHurtsTheCraftOnceFromItsBlastOnTheGround) {
  UntilFlying();
  QuietField();
  TBullet& bomb = Fire(300, 579, 0, 0, TBullet::kBomb, TBullet::kEnemySide);
  Frame();
  ASSERT_TRUE(bomb.Exploded);  // on the ground
  EXPECT_EQ(bomb.Y, 600 - bomb.Height);
  // The craft flies into the blast: it is hit, and the blast is spent on it.
  player().Y = 570 - player().Height;
  player().X = bomb.X - 40;
  Frame();
  EXPECT_TRUE(bomb.BombHitDone);
  EXPECT_EQ(player().State, TPlayer::kDying);
  EXPECT_EQ(form->Game.Lives, 2);
}

// Gun shots that meet hide at once and are swept away in the same frame; only one of the
// enemy's two meets the craft's.
TEST_F(Shots, AShotOfEachSideMeetingBothGoInTheFrame) {
  UntilFlying();
  QuietField();
  const int mine = Fire(300, 200, 0, 0, TBullet::kGunShot, TBullet::kPlayerSide).Slot;
  const int theirs = Fire(305, 200, 0, 0, TBullet::kGunShot, TBullet::kEnemySide).Slot;
  const int theirsToo = Fire(305, 200, 0, 0, TBullet::kGunShot, TBullet::kEnemySide).Slot;
  Frame();
  EXPECT_FALSE(form->Game.Bullets.Used(mine));
  EXPECT_NE(form->Game.Bullets.Used(theirs), form->Game.Bullets.Used(theirsToo));
}

using Craft = GameFixture;

TEST_F(Craft, ABirdSwallowsTheCraftOnlyWithItsBeak) {
  UntilFlying();
  QuietField();
  TMonster& bird = AddMonster(player().X + 60, 0, TMonster::kBird);
  bird.SpeedX = 0;
  // The bird's path sets its height; the craft is put where the beak will be.
  Frame();
  player().Y = bird.Y + 60.5 - player().Height / 2.0;
  Frame();
  EXPECT_TRUE(bird.Eating || player().State == TPlayer::kDying);
  EXPECT_EQ(player().State, TPlayer::kDying);
  EXPECT_FALSE(player().Visible);
  EXPECT_EQ(form->Game.Lives, 2);
}

TEST_F(Craft, ShotDownTheWingmanComesBackAsTheNextBonus) {
  UntilFlying();
  ASSERT_TRUE(player().Owns(objects::TBonusKind::Hero));
  player().HeroShotDown();
  EXPECT_TRUE(player().HeroLost);
  form->Game.BonusTimer = 995;
  bool heroBonus = false;
  for (int i = 0; i < 3 && !heroBonus; ++i) {
    Frame();
    for (int slot = 1; slot <= 5; ++slot) {
      if (form->Game.Bonuses[slot] && form->Game.Bonuses[slot]->Kind == objects::TBonusKind::Hero)
        heroBonus = true;
    }
  }
  EXPECT_TRUE(heroBonus);
  EXPECT_FALSE(player().HeroLost);
  // The wreck falls for three quarters of a second and is gone.
  Frames(80);
  EXPECT_FALSE(player().Owns(objects::TBonusKind::Hero));
}

}  // namespace
