#include <string>
#include <tuple>
#include <vector>

#include "objects/field_fixture.h"

namespace {

using CraftWeapons = TFieldFixture;
using enum objects::TBonusKind;

TEST_F(CraftWeapons, ATimedWeaponLastsFiveSecondsAndTheBasicGunComesBackTheFrameAfter) {
  craft->Give(RapidGun);
  EXPECT_FALSE(craft->Owns(BasicGun));
  // 5000 ms at 11 ms a frame: 454 frames count down, the 455th cannot.
  Steps(*craft, 454);
  EXPECT_TRUE(craft->Owns(RapidGun));
  Steps(*craft, 1);
  EXPECT_FALSE(craft->Owns(RapidGun));
  EXPECT_FALSE(craft->Owns(BasicGun));
  Steps(*craft, 1);
  EXPECT_TRUE(craft->Owns(BasicGun));
}

// A weapon bonus replaces whatever the craft holds, a mega bomb not yet fired among them; the
// score, hero, life and empty bonuses leave the weapon held as it is.
TEST_F(CraftWeapons, AWeaponBonusReplacesTheWeaponHeldAndTheOthersKeepIt) {
  using objects::TBonusKind;
  const struct {
    TBonusKind held, picked, weapon;  // the weapon owned after the pickup
  } cases[] = {
      {BasicGun, RapidGun, RapidGun},              // the basic gun gives way to the rapid gun
      {RapidGun, RocketLauncher, RocketLauncher},  // one timed weapon to another
      {TripleRocket, BasicGun, BasicGun},          // the triple launcher to the basic gun's bonus
      {MegaBomb, DoubleGun, DoubleGun},            // an unfired mega bomb to the double gun
      {DoubleGun, MegaBomb, MegaBomb},             // the double gun to a mega bomb
      {DoubleGun, Score, DoubleGun},               // 100 points
      {MegaBomb, Hero, MegaBomb},                  // the wingman
      {RocketLauncher, Life, RocketLauncher},
      {RapidGun, Nothing, RapidGun},
  };
  const TBonusKind weapons[] = {BasicGun,  RocketLauncher, RapidGun,
                                DoubleGun, TripleRocket,   MegaBomb};
  for (const auto& c : cases) {
    craft->ClearWeapons();
    craft->Give(c.held);
    auto* bonus = new TBonus(world, craft->X, craft->Y, 9, 1, c.picked);
    bool done = false;
    craft->OnHit(*bonus, done);
    EXPECT_TRUE(bonus->Taken);
    std::vector<TBonusKind> owned;
    for (TBonusKind weapon : weapons)
      if (craft->Owns(weapon)) owned.push_back(weapon);
    EXPECT_EQ(owned, std::vector<TBonusKind>{c.weapon})
        << "holding " << static_cast<int>(c.held) << ", picked " << static_cast<int>(c.picked);
    bonus->KillOnce();
    world.Root.PurgeDead();
  }
}

// While the craft blinks at the end of a level nothing leaves it, whatever weapon it holds, and
// its wingman holds his fire too.
TEST_F(CraftWeapons, NothingIsFiredDuringTheLevelEndBlink) {
  craft->EndReborn();
  craft->StartHero();
  craft->StartLevelEnd();
  craft->FireHeld = true;
  for (objects::TBonusKind weapon :
       {BasicGun, RocketLauncher, RapidGun, DoubleGun, TripleRocket, MegaBomb}) {
    craft->Give(weapon);
    craft->ReloadTimer = 0;
    craft->HeroFireTimer = 0;
    world.Draws = {1};  // the wingman's one chance in 24 comes up
    Steps(*craft, 1);
    EXPECT_TRUE(world.Shots.empty()) << "weapon " << static_cast<int>(weapon);
  }
  EXPECT_TRUE(craft->LevelDone);
}

TEST_F(CraftWeapons, TheTripleLauncherSendsTheSideRocketsUnderTheMiddleOne) {
  craft->Give(TripleRocket);
  craft->FireWeapon(TripleRocket);
  ASSERT_EQ(world.Shots.size(), 3u);
  const int x = static_cast<int>(craft->X) + 110;
  const int y = static_cast<int>(craft->Y);
  const auto whole = [](const test_support::TFakeWorld::TShot& s) {
    return std::tuple(s.X, s.Y, s.Z, s.Speed, s.Angle, s.Kind, s.Side, s.Tilt);
  };
  const uint8_t rocket = TBullet::kRocket;
  const uint8_t mine = TBullet::kPlayerSide;
  EXPECT_EQ(whole(world.Shots[0]), std::tuple(x, y + 55, 9, 2, -10, rocket, mine, false));
  EXPECT_EQ(whole(world.Shots[1]), std::tuple(x, y + 59, 11, 2, 0, rocket, mine, false));
  EXPECT_EQ(whole(world.Shots[2]), std::tuple(x, y + 63, 9, 2, 10, rocket, mine, false));
  EXPECT_EQ(world.Effects, std::vector<std::string>{"Rocket"});
  craft->FireWeapon(TripleRocket);  // reloading
  EXPECT_EQ(world.Shots.size(), 3u);

  // A rocket starts at 2 pixels a frame, gains one after 100 ms and one every 50 ms up to 7.
  TBullet& middle = ShotOf(world.Shots[1]);
  Steps(middle, 9);
  EXPECT_EQ(middle.Speed, 2);
  Steps(middle, 2);
  EXPECT_EQ(middle.Speed, 3);
  EXPECT_EQ(middle.VelX, 3);
  Steps(middle, 40);
  EXPECT_EQ(middle.Speed, 7);
  Steps(middle, 100);
  EXPECT_EQ(middle.Speed, 7);
  EXPECT_EQ(middle.VelX, 7);
}

using CraftFlight = TFieldFixture;

TEST_F(CraftFlight, TheWingmanKeepsStationBehindAndBelowTheCraft) {
  craft->EndReborn();
  craft->StartHero();
  craft->X = 300;  // room on the left: the wingman never goes past the edge
  Steps(*craft, 300);
  const double centreX = craft->X + craft->Width / 2.0;
  const double centreY = craft->Y + craft->Height / 2.0;
  EXPECT_NEAR(craft->HeroX, centreX - 117.2, 0.5);
  EXPECT_NEAR(craft->HeroY, centreY + 20.3, 0.5);
  // At the left edge he stops at the window's.
  craft->X = -10;
  Steps(*craft, 300);
  EXPECT_NEAR(craft->HeroX, 0, 0.5);
  EXPECT_NEAR(craft->HeroY, craft->Y + craft->Height / 2.0 + 20.3, 0.5);
}

// The pointer steers the craft by how far it moved since the last frame, at most
// 20·SpeedFactor pixels (rounded) each way, and is put back over the craft's middle.
TEST_F(CraftFlight, MouseMovesSteerByAtMostTwentyPixelsAFrameScaledAndThePointerComesBack) {
  world.Window = {100, 50};
  craft->EndReborn();
  const auto overCraft = [this] {
    return std::pair(static_cast<int>(100 + craft->X + craft->Width / 2.0),
                     static_cast<int>(50 + craft->Y + craft->Height / 2.0));
  };
  const auto pointer = [this] { return std::pair(world.Pointer.x, world.Pointer.y); };
  Steps(*craft, 1);
  EXPECT_EQ(pointer(), overCraft());

  const struct {
    double speedFactor;
    int dx, dy;
    double movedX, movedY;
  } moves[] = {
      {1.0, 100, 0, 20 / 1.5, 0},
      {1.0, 0, -100, 0, -20 / 1.8},
      {85.0 / 60, 100, 0, 28 / 1.5, 0},
      {85.0 / 60, -100, 100, -28 / 1.5, 28 / 1.8},
      {85.0 / 60, 7, -5, 7 / 1.5, -5 / 1.8},
  };
  for (const auto& m : moves) {
    world.SpeedFactor = m.speedFactor;
    const double x = craft->X;
    const double y = craft->Y;
    world.Pointer.x += m.dx;
    world.Pointer.y += m.dy;
    Steps(*craft, 1);
    EXPECT_NEAR(craft->X - x, m.movedX, 1e-9) << m.dx << "," << m.dy;
    EXPECT_NEAR(craft->Y - y, m.movedY, 1e-9) << m.dx << "," << m.dy;
    EXPECT_EQ(pointer(), overCraft());
    EXPECT_EQ(std::pair(world.LastPointerX, world.LastPointerY), pointer());
  }

  // A falling wreck is not steered and lets the pointer be; the pointer's moves meanwhile do
  // not jerk the next craft.
  craft->State = TPlayer::kDying;
  world.Pointer = {700, 500};
  Steps(*craft, 1);
  EXPECT_EQ(pointer(), std::pair(700, 500));
  EXPECT_EQ(std::pair(world.LastPointerX, world.LastPointerY), pointer());
}

using CraftLives = TFieldFixture;

// Each death costs a life, sounds, and calls the craft's mega shots back; once the wreck has
// fallen 1500 ms the craft comes back at its start, or, with no life left, the game is over.
TEST_F(CraftLives, TheLastLifeGoneOpensTheGameOverWindowOnceTheWreckHasFallen) {
  ASSERT_EQ(world.Lives, 3);
  world.Lives = 2;
  craft->EndReborn();
  craft->HitPoints = 1;
  craft->Damage(1);
  EXPECT_EQ(craft->State, TPlayer::kDying);
  EXPECT_EQ(world.Lives, 1);
  EXPECT_EQ(world.Effects, std::vector<std::string>{"PlayerKill"});
  EXPECT_EQ(world.PlayerShotsCalledBack, 1);
  // 136 frames count the fall down, the 137th brings the craft back.
  Steps(*craft, 136);
  EXPECT_EQ(craft->State, TPlayer::kDying);
  Steps(*craft, 1);
  EXPECT_EQ(craft->State, TPlayer::kReborn);
  EXPECT_NEAR(craft->X, 30, 6);  // back at its start
  EXPECT_NEAR(craft->Y, 221, 6);
  EXPECT_TRUE(craft->Visible);
  EXPECT_TRUE(world.Windows.empty());

  craft->EndReborn();
  craft->Damage(1);
  EXPECT_EQ(world.Lives, 0);
  Steps(*craft, 136);
  EXPECT_TRUE(world.Windows.empty());
  Steps(*craft, 1);
  EXPECT_EQ(world.Windows, std::vector<int>{7});
  EXPECT_EQ(world.Effects, (std::vector<std::string>{"PlayerKill", "PlayerKill", "GameOver"}));
  EXPECT_FALSE(craft->Visible);
  EXPECT_EQ(world.PlayerShotsCalledBack, 2);
}

}  // namespace
