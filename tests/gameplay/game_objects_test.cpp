#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"

namespace {

namespace vk = platform::vk;

using Kills = GameFixture;

// Shots fired from the left at an enemy standing in their way; the enemy is held still.
int ShotsToKill(Kills& t, TMonster& monster, uint8_t shotKind, int speed) {
  int shots = 0;
  for (int i = 0; i < 4000 && !monster.Dying; ++i) {
    monster.X = 500;
    monster.SpeedX = 0;
    if (t.ShotsOfKind(shotKind) == 0) {
      t.Fire(420, static_cast<int>(monster.Y + monster.Height / 2), speed, 0, shotKind,
             TBullet::kPlayerSide);
      ++shots;
    }
    t.Frame();
  }
  return shots;
}

TEST_F(Kills, EachKindTakesItsHitsAndGivesFiveTimesItsHitPoints) {
  UntilFlying();
  QuietField();
  struct {
    uint8_t kind;
    int gunShots;
    int points;
  } const kinds[] = {
      {TMonster::kAirplane, 2, 10}, {TMonster::kDog, 10, 50}, {TMonster::kHelicopter, 10, 50}};
  for (const auto& k : kinds) {
    TMonster& monster = AddMonster(500, 150, k.kind);
    monster.ShotsLeft = 0;
    const int score = form->Game.Score;
    const int left = form->Game.EnemiesLeft;
    EXPECT_EQ(ShotsToKill(*this, monster, TBullet::kGunShot, 10), k.gunShots) << int{k.kind};
    EXPECT_EQ(form->Game.Score - score, k.points);
    EXPECT_EQ(form->Game.EnemiesLeft, left - 1);
    form->Game.FreeAllMonsters();
    Frame();
  }
  // Rockets do three: an airplane still needs one, a dog four.
  TMonster& dog = AddMonster(500, 150, TMonster::kDog);
  dog.ShotsLeft = 0;
  EXPECT_EQ(ShotsToKill(*this, dog, TBullet::kRocket, 7), 4);
}

TEST_F(Kills, ABirdAndAHunter) {
  UntilFlying();
  QuietField();
  TMonster& bird = AddMonster(500, 150, TMonster::kBird);
  bird.Damage(3);
  EXPECT_FALSE(bird.Dying);
  const int score = form->Game.Score;
  bird.Damage(1);
  EXPECT_TRUE(bird.Dying);
  EXPECT_EQ(form->Game.Score - score, 20);
  bird.Damage(5);  // already dying: nothing more
  EXPECT_EQ(form->Game.Score - score, 20);

  TGroundGun& hunter = AddHunter(400, 2);
  const int left = form->Game.EnemiesLeft;
  for (int shot = 0; shot < 8; ++shot) hunter.Damage(1);
  EXPECT_FALSE(hunter.Dead);
  hunter.Damage(1);
  EXPECT_TRUE(hunter.Dead);
  EXPECT_EQ(form->Game.Score - score, 20 + 45);
  EXPECT_EQ(form->Game.EnemiesLeft, left);  // hunters do not count towards the level
}

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

TEST_F(Weapons, ATimedWeaponLastsFiveSecondsAndTheBasicGunComesBackTheFrameAfter) {
  UntilFlying();
  QuietField();
  player().Give(7);  // the rapid gun
  EXPECT_FALSE(player().Owned[1]);
  // 5000 ms at 11 ms a frame: 454 frames count down, the 455th cannot.
  Frames(454);
  EXPECT_TRUE(player().Owned[6]);
  Frame();
  EXPECT_FALSE(player().Owned[6]);
  EXPECT_FALSE(player().Owned[1]);
  Frame();
  EXPECT_TRUE(player().Owned[1]);
}

TEST_F(Weapons, TheMegaBombFiresThroughAReloadAndTheGunWaitsForItsOwn) {
  UntilFlying();
  QuietField();
  platform.KeyDown(vk::kSpace);
  Frames(2);  // the craft reads the fire key the frame after it went down
  ASSERT_EQ(ShotsOfKind(TBullet::kGunShot), 1);
  EXPECT_GT(player().ReloadTimer, 0);
  player().Give(5);
  Frame();
  EXPECT_EQ(ShotsOfKind(TBullet::kMegaShot), 1);
  EXPECT_FALSE(player().Owned[9]);
  const int gunShots = ShotsOfKind(TBullet::kGunShot);
  // The bomb's reload is 500 ms: 45 frames without a new gun shot.
  Frames(44);
  EXPECT_EQ(ShotsOfKind(TBullet::kGunShot), gunShots);
  Frames(3);
  EXPECT_GT(ShotsOfKind(TBullet::kGunShot), gunShots);
  platform.KeyUp(vk::kSpace);
}

TEST_F(Weapons, TheTripleLauncherSendsTheSideRocketsUnderTheMiddleOne) {
  UntilFlying();
  QuietField();
  player().Give(9);
  player().FireWeapon(6);
  ASSERT_EQ(form->Game.Bullets.UsedCount(), 3);
  EXPECT_EQ(form->Game.Bullets[1]->Z(), 9);
  EXPECT_EQ(form->Game.Bullets[1]->Angle, -10);
  EXPECT_EQ(form->Game.Bullets[2]->Z(), 11);
  EXPECT_EQ(form->Game.Bullets[3]->Z(), 9);
  EXPECT_EQ(form->Game.Bullets[3]->Angle, 10);
  // A rocket starts at 2 pixels a frame, gains one after 100 ms and one every 50 ms up to 7.
  TBullet& middle = *form->Game.Bullets[2];
  Frames(9);
  EXPECT_EQ(middle.Speed, 2);
  Frames(2);
  EXPECT_EQ(middle.Speed, 3);
  Frames(40);
  EXPECT_EQ(middle.Speed, 7);
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

// The hunters' shots are drawn tilted, so they wear the pictures turned back for it; every
// other shot keeps the plain one, whatever its angle.
TEST_F(Shots, HuntersShotsWearTheTiltedPictures) {
  UntilFlying();
  QuietField();
  for (uint8_t kind : {0, 1, 2}) {
    AddHunter(500, kind).Fire();
    const std::string expected = kind == 2 ? "RocketBulletRedTilted" : "GunBulletRedTilted";
    int fired = 0;
    for (int i = 1; i <= decltype(form->Game.Bullets)::kSlots; ++i)
      if (form->Game.Bullets[i]) {
        ++fired;
        EXPECT_TRUE(form->Game.Bullets[i]->Tilted);
        EXPECT_EQ(form->Game.Bullets[i]->Image()->Name(), expected) << int{kind};
      }
    EXPECT_EQ(fired, kind == 0 ? 3 : 1) << int{kind};
    QuietField();
  }
  EXPECT_EQ(Fire(300, 200, 7, -10, TBullet::kRocket, TBullet::kPlayerSide).Image()->Name(),
            "RocketBulletRed");
  EXPECT_EQ(Fire(300, 200, 8, -128, TBullet::kRocket, TBullet::kEnemySide).Image()->Name(),
            "RocketBulletRed");
  EXPECT_EQ(Fire(300, 200, 10, 0, TBullet::kGunShot, TBullet::kPlayerSide).Image()->Name(),
            "GunBulletRed");
}

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

TEST_F(Shots, PlayerShotsKickBonusesAndEnemyShotsMeetingThemBothGo) {
  UntilFlying();
  QuietField();
  ASSERT_TRUE(form->Game.AddBonus(500, 300, 9, 1));
  TBonus& bonus = *form->Game.Bonuses[1];
  Fire(470, 310, 10, 0, TBullet::kGunShot, TBullet::kPlayerSide);
  const double x = bonus.X;
  Frames(3);
  EXPECT_EQ(bonus.KickSpeed, 6);
  EXPECT_GT(bonus.X, x - 3 * 4);  // pushed right against the drift

  // Gun shots that meet hide at once and are swept away in the same frame.
  const int mine = Fire(300, 200, 0, 0, TBullet::kGunShot, TBullet::kPlayerSide).Slot;
  const int theirs = Fire(305, 200, 0, 0, TBullet::kGunShot, TBullet::kEnemySide).Slot;
  const int theirsToo = Fire(305, 200, 0, 0, TBullet::kGunShot, TBullet::kEnemySide).Slot;
  Frame();
  EXPECT_FALSE(form->Game.Bullets.Used(mine));
  // Only one of the enemy's meets it; enemy shots leave each other be.
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
  ASSERT_TRUE(player().Owned[4]);
  player().HeroShotDown();
  EXPECT_TRUE(player().HeroLost);
  form->Game.BonusTimer = 995;
  bool heroBonus = false;
  for (int i = 0; i < 3 && !heroBonus; ++i) {
    Frame();
    for (int slot = 1; slot <= 5; ++slot) {
      if (form->Game.Bonuses[slot] && form->Game.Bonuses[slot]->Kind == 3) heroBonus = true;
    }
  }
  EXPECT_TRUE(heroBonus);
  EXPECT_FALSE(player().HeroLost);
  // The wreck falls for three quarters of a second and is gone.
  Frames(80);
  EXPECT_FALSE(player().Owned[4]);
}

TEST_F(Craft, TheWingmanKeepsStationBehindAndBelowTheCraft) {
  UntilFlying();
  QuietField();
  player().StartHero();
  player().X = 300;  // room on the left: the wingman never goes past the edge
  Frames(300);
  const double centreX = player().X + player().Width / 2.0;
  const double centreY = player().Y + player().Height / 2.0;
  EXPECT_NEAR(player().HeroX, centreX - 117.2, 0.5);
  EXPECT_NEAR(player().HeroY, centreY + 20.3, 0.5);
}

TEST_F(Craft, MouseMovesSteerByAtMostTwentyPixelsAFrame) {
  UntilFlying();
  QuietField();
  Frame();
  const double x = player().X;
  const platform::TPoint pointer = platform.GetCursorPos();
  platform.SetCursorPos({pointer.x + 100, pointer.y});
  Frame();
  EXPECT_NEAR(player().X - x, 20 / 1.5, 1e-9);
  const platform::TPoint back = platform.GetCursorPos();
  const platform::TPoint window = platform.GetWindowPos();
  EXPECT_EQ(back.x, static_cast<int>(window.x + player().X + player().Width / 2.0));
}

}  // namespace
