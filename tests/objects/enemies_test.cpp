#include <deque>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "objects/field_fixture.h"

namespace {

using EnemyKills = TFieldFixture;

// Shots put into an enemy, each hitting on its first frame, until the enemy dies.
int ShotsToKill(TFieldFixture& t, TMonster& monster, uint8_t shotKind) {
  int shots = 0;
  while (shots < 100 && !monster.Dying) {
    TBullet& shot =
        t.Shot(static_cast<int>(monster.X + 10), static_cast<int>(monster.Y + monster.Height / 2),
               10, 0, shotKind, TBullet::kPlayerSide);
    shot.Step(t.world.FrameMs);
    t.Remove(shot);
    ++shots;
  }
  return shots;
}

TEST_F(EnemyKills, EachKindTakesItsHitsAndGivesFiveTimesItsHitPoints) {
  world.EnemiesLeft = 10;
  struct {
    uint8_t kind;
    int gunShots;
    int points;
  } const kinds[] = {
      {TMonster::kAirplane, 2, 10}, {TMonster::kDog, 10, 50}, {TMonster::kHelicopter, 10, 50}};
  for (const auto& k : kinds) {
    TMonster& monster = AddMonster(500, 150, k.kind);
    const int score = world.Score;
    const int left = world.EnemiesLeft;
    world.FreedShots.clear();
    EXPECT_EQ(ShotsToKill(*this, monster, TBullet::kGunShot), k.gunShots) << int{k.kind};
    EXPECT_EQ(world.FreedShots.size(), static_cast<size_t>(k.gunShots));  // each spent on it
    EXPECT_EQ(world.Score - score, k.points);
    EXPECT_EQ(world.EnemiesLeft, left - 1);
  }
  // Rockets do three: an airplane still needs one, a dog four.
  EXPECT_EQ(ShotsToKill(*this, AddMonster(500, 150, TMonster::kAirplane), TBullet::kRocket), 1);
  EXPECT_EQ(ShotsToKill(*this, AddMonster(500, 150, TMonster::kDog), TBullet::kRocket), 4);
}

TEST_F(EnemyKills, ABirdAndAHunter) {
  TMonster& bird = AddMonster(500, 150, TMonster::kBird);
  bird.Damage(3);
  EXPECT_FALSE(bird.Dying);
  const int score = world.Score;
  bird.Damage(1);
  EXPECT_TRUE(bird.Dying);
  EXPECT_EQ(world.Score - score, 20);
  bird.Damage(5);  // already dying: nothing more
  EXPECT_EQ(world.Score - score, 20);

  auto* hunter = new TGroundGun(world, 2, 1, 400, 480, 6);
  const int left = world.EnemiesLeft;
  for (int shot = 0; shot < 8; ++shot) hunter->Damage(1);
  EXPECT_FALSE(hunter->Dead);
  hunter->Damage(1);
  EXPECT_TRUE(hunter->Dead);
  EXPECT_EQ(world.Score - score, 20 + 45);
  EXPECT_EQ(world.EnemiesLeft, left);  // hunters do not count towards the level
}

// An enemy that dies by itself (rammed into the wingman, or hit square by the mega shot)
// sounds its end but scores nothing; a kill scores and counts once and sounds once, heard
// from where the enemy was.
TEST_F(EnemyKills, EachKindSoundsItsEndOnceAndOnlyAKillScores) {
  const std::pair<uint8_t, std::string> kinds[] = {{TMonster::kAirplane, "Explosion2"},
                                                   {TMonster::kBird, "BirdKill"},
                                                   {TMonster::kDog, "DogKill"},
                                                   {TMonster::kHelicopter, "Explosion2"}};
  world.EnemiesLeft = 10;
  for (const auto& [kind, effect] : kinds) {
    world.Effects.clear();
    TMonster& rammed = AddMonster(500, 150, kind);
    rammed.Die();
    EXPECT_EQ(world.Score, 0) << int{kind};
    EXPECT_EQ(world.EnemiesLeft, 10);
    rammed.Damage(100);
    rammed.Die();
    EXPECT_EQ(world.Score, 0);
    EXPECT_EQ(world.EnemiesLeft, 10);
    EXPECT_EQ(world.Effects, std::vector<std::string>{effect});

    world.Effects.clear();
    world.EffectXs.clear();
    TMonster& killed = AddMonster(500, 150, kind);
    const int points = killed.HitPoints * 5;
    const double middle = killed.X + killed.Width / 2.0;
    killed.Damage(100);
    killed.Damage(100);
    EXPECT_EQ(world.Score, points) << int{kind};
    EXPECT_EQ(world.EnemiesLeft, 9);
    EXPECT_EQ(world.Effects, std::vector<std::string>{effect});
    EXPECT_EQ(world.EffectXs, std::vector<double>{middle}) << "heard from where it was";
    world.Score = 0;
    world.EnemiesLeft = 10;
  }
  // A hunter falls silently when the craft is going down at the same moment.
  world.Effects.clear();
  (new TGroundGun(world, 0, 1, 400, 480, 6))->Damage(9);
  EXPECT_EQ(world.Effects, std::vector<std::string>{"HunterKill"});
  craft->State = TPlayer::kDying;
  auto* late = new TGroundGun(world, 0, 2, 400, 480, 6);
  late->Damage(9);
  EXPECT_TRUE(late->Dead);
  EXPECT_EQ(world.Effects.size(), 1u);
  EXPECT_EQ(world.Score, 2 * 45);
}

using EnemyFire = TFieldFixture;

std::deque<int> Ones(int n) {
  return std::deque<int>(n, 1);
}

// A dog or a helicopter fires on a draw of 1 in 100, once it is on the field (left of 815),
// loaded and with shots left. One that cannot fire takes no draw: the whole run shares one
// sequence.
TEST_F(EnemyFire, AMonsterFiresOnADrawOfOneWithinItsShotsAndReloads) {
  TMonster& dog = AddMonster(816, 56, TMonster::kDog);
  ASSERT_EQ(dog.ShotsLeft, 5);
  world.Draws = Ones(1000);
  world.DrawLimits.clear();
  Steps(dog, 1);  // at 815: not yet on the field
  EXPECT_TRUE(world.DrawLimits.empty());
  Steps(dog, 1);
  ASSERT_EQ(world.Shots.size(), 1u);
  const auto& bomb = world.Shots[0];
  EXPECT_EQ(
      std::tuple(bomb.X, bomb.Y, bomb.Z, bomb.Speed, bomb.Angle, bomb.Kind, bomb.Side, bomb.Tilt),
      std::tuple(814 + 7, 56 + 130, 9, 0, 0, TBullet::kBomb, TBullet::kEnemySide, false));
  EXPECT_EQ(world.DrawLimits, std::vector<int>{100});
  // 1500 ms between bombs: 136 frames count the reload down, the 137th fires.
  Steps(dog, 136);
  EXPECT_EQ(world.Shots.size(), 1u);
  EXPECT_EQ(world.DrawLimits.size(), 1u);
  Steps(dog, 1);
  EXPECT_EQ(world.Shots.size(), 2u);
  Steps(dog, 1000);
  EXPECT_EQ(world.Shots.size(), 5u);  // then it has none left
  EXPECT_EQ(world.DrawLimits.size(), 5u);

  // A helicopter carries one to five rockets, by a draw.
  world.Draws = {0, 1};  // its height, then its rockets less one
  TMonster& helicopter = AddMonster(830, 70, TMonster::kHelicopter);
  EXPECT_EQ(helicopter.ShotsLeft, 2);
  world.Shots.clear();
  world.Draws = {0, 0, 0, 0};  // on the field from the sixth frame; the tenth fires
  world.Draws.insert(world.Draws.end(), 200, 1);
  Steps(helicopter, 200);
  ASSERT_EQ(world.Shots.size(), 2u);
  const auto& rocket = world.Shots[0];
  EXPECT_EQ(std::tuple(rocket.X, rocket.Y, rocket.Z, rocket.Speed, rocket.Angle, rocket.Kind,
                       rocket.Side, rocket.Tilt),
            std::tuple(830 - 3 * 10 - 24, 70 + 43, 9, 8, -128, TBullet::kRocket,
                       TBullet::kEnemySide, false));
  EXPECT_EQ(world.Shots[1].X - rocket.X, -3 * 91);  // 1000 ms later

  // A dying enemy and an unarmed one never fire, nor draw.
  world.Shots.clear();
  world.Draws = {0};
  TMonster& dying = AddMonster(500, 100, TMonster::kDog);
  dying.Die();
  TMonster& airplane = AddMonster(500, 100, TMonster::kAirplane);
  world.Draws = Ones(100);
  world.DrawLimits.clear();
  Steps(dying, 50);
  Steps(airplane, 50);
  EXPECT_TRUE(world.Shots.empty());
  EXPECT_TRUE(world.DrawLimits.empty());
}

// A hunter fires on a draw of 1 in 200 once loaded, and only while it stands between 0 and
// 700; it draws wherever it stands.
TEST_F(EnemyFire, AHunterFiresOnADrawOfOneOnlyInsideItsRange) {
  auto* hunter = new TGroundGun(world, 1, 1, 400, 480, 6);
  world.Draws = {0, 2, 1};
  Steps(*hunter, 2);
  EXPECT_TRUE(world.Shots.empty());
  EXPECT_EQ(hunter->AnimFrame, 0);
  Steps(*hunter, 1);
  ASSERT_EQ(world.Shots.size(), 1u);
  const auto& shot = world.Shots[0];
  EXPECT_EQ(
      std::tuple(shot.X, shot.Y, shot.Z, shot.Speed, shot.Angle, shot.Kind, shot.Side, shot.Tilt),
      std::tuple(490, 483, 6, 10, -90, TBullet::kGunShot, TBullet::kEnemySide, true));
  EXPECT_EQ(world.DrawLimits, (std::vector<int>{200, 200, 200}));
  EXPECT_EQ(world.Effects, std::vector<std::string>{"Shot1"});
  Steps(*hunter, 1);
  EXPECT_EQ(hunter->AnimFrame, 1);  // the firing pose
  // 300 ms to reload, without a draw.
  world.Draws = Ones(100);
  Steps(*hunter, 27);
  EXPECT_EQ(world.Shots.size(), 1u);
  EXPECT_EQ(world.DrawLimits.size(), 3u);
  Steps(*hunter, 1);
  EXPECT_EQ(world.Shots.size(), 2u);

  for (double x : {0.0, 700.0, 1.0, 699.0}) {
    auto* standing = new TGroundGun(world, 1, 2, x, 480, 6);
    world.Shots.clear();
    world.DrawLimits.clear();
    world.Draws = {1};
    Steps(*standing, 1);
    EXPECT_EQ(world.DrawLimits.size(), 1u) << x;
    EXPECT_EQ(world.Shots.size(), x == 0 || x == 700 ? 0u : 1u) << x;
  }

  // A dead one fires no more.
  hunter->Damage(9);
  world.Shots.clear();
  world.Draws = Ones(100);
  Steps(*hunter, 100);
  EXPECT_TRUE(world.Shots.empty());
}

}  // namespace
