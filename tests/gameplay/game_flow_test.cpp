#include <set>

#include "gameplay/game_fixture.h"
#include "objects/my_image_sprite.h"
#include "objects/scroll_background.h"
#include "persist/score_record.h"
#include "platform/vk_codes.h"
#include "screens/records_screen.h"
#include "support/screens.h"

namespace {

namespace vk = platform::vk;

using Level = GameFixture;

TEST_F(Level, OneSpawnsOnlyAirplanesAndAsksForTenKills) {
  EXPECT_EQ(form->Game.Level, 1);
  EXPECT_EQ(form->Game.EnemiesLeft, 10);
  std::set<int> kinds;
  for (int i = 0; i < 1500 && form->ScreenType() == kScreenGame; ++i) {
    Frame();
    form->Game.Lives = 3;  // the test is about what comes, not about surviving it
    EXPECT_EQ(form->Game.GroundGuns.UsedCount(), 0);
    for (int slot = 1; slot <= 10; ++slot) {
      if (form->Game.Monsters[slot]) kinds.insert(form->Game.Monsters[slot]->Kind);
    }
  }
  EXPECT_EQ(kinds, std::set<int>{TMonster::kAirplane});
}

TEST_F(Level, ThreeBringsHuntersOfTheSecondKindOnTheGround) {
  form->Game.StartLevel(3);
  CloseWindows();
  const TGroundGun* hunter = nullptr;
  for (int i = 0; i < 5000 && !hunter; ++i) {
    Frame();
    form->Game.Lives = 3;
    hunter = form->Game.GroundGuns[1];
  }
  ASSERT_NE(hunter, nullptr);
  EXPECT_EQ(hunter->Kind, 1);
  EXPECT_EQ(hunter->Y, 407);
  EXPECT_EQ(hunter->X, 900);  // added after the frame's move
}

TEST_F(Level, TheBannerStandsTwoSecondsAndTheGameStandsStillUnderIt) {
  form->Game.StartLevel(2);
  ASSERT_EQ(form->WindowOpen(), kWindowLevelBanner);
  const double x = form->Game.Hills[0]->X;
  // 2000 ms at 11 ms a frame: 181 frames count down, the 182nd would go below zero.
  Frames(181);
  EXPECT_EQ(form->WindowOpen(), kWindowLevelBanner);
  EXPECT_EQ(form->Game.Hills[0]->X, x);
  Frame();
  EXPECT_EQ(form->WindowOpen(), 0);
}

TEST_F(Level, TheQuotaMetClearsTheFieldThenFifteenBlinksLeadToTheNext) {
  UntilFlying();
  QuietField();
  form->Game.LevelOver = false;
  TMonster& airplane = AddMonster(600, 100, TMonster::kAirplane);
  TGroundGun& hunter = AddHunter(600, 0);
  form->Game.EnemiesLeft = 1;
  airplane.Damage(2);
  EXPECT_EQ(form->Game.EnemiesLeft, 0);
  const int score = form->Game.Score;
  Frame();
  EXPECT_TRUE(form->Game.LevelOver);
  EXPECT_TRUE(player().LevelDone);
  EXPECT_TRUE(hunter.Dead);  // the hunter falls, for nothing
  EXPECT_EQ(form->Game.Score, score);
  EXPECT_EQ(form->Game.Bonuses.UsedCount(), 0);
  // 15 toggles of 100 ms, about ten frames each; nothing is spawned meanwhile. The frame of the
  // fifteenth starts the next level, so fourteen are counted before it.
  int blinksBefore = 0;
  int field = form->Game.Monsters.UsedCount() + form->Game.GroundGuns.UsedCount();
  while (form->Game.Level == 1 && frames < 100000) {
    blinksBefore = player().BlinkCount;
    Frame();
    const int now = form->Game.Monsters.UsedCount() + form->Game.GroundGuns.UsedCount();
    if (form->Game.Level == 1) {
      EXPECT_LE(now, field) << "spawned after the quota was met";
    }
    field = now;
  }
  EXPECT_EQ(form->Game.Level, 2);
  EXPECT_EQ(blinksBefore, 14);
  EXPECT_EQ(form->WindowOpen(), kWindowLevelBanner);
  EXPECT_EQ(form->Game.EnemiesLeft, 20);
  EXPECT_EQ(player().State, TPlayer::kReborn);
}

TEST_F(Level, SpawnTimersCarryOverBetweenLevels) {
  form->Game.MonsterTimer = 700;
  form->Game.GunTimer = 1400;
  form->Game.StartLevel(5);
  EXPECT_EQ(form->Game.MonsterTimer, 700);
  EXPECT_EQ(form->Game.GunTimer, 1400);
  EXPECT_EQ(form->Game.EnemyKindCount, 5);
  EXPECT_EQ(form->Game.BonusKindCount, 7);
}

using Spawning = GameFixture;

// A speed at which the spawners' draws for the commonest kind of each family cannot miss, so a
// step shows whether a family drew at all.
constexpr double kSureSpeed = 2000;

// Each family waits until its timer has passed its pause, strictly: 1500 ms for the hunters,
// 1000 ms for the enemies and for the bonuses. The timer is reset only by a sprite added.
TEST_F(Spawning, EachFamilyWaitsUntilItsTimerHasPassedItsPause) {
  form->Game.StartLevel(7);  // every kind of hunter and enemy
  QuietField();
  gameplay::TGame& game = form->Game;
  const struct {
    const char* family;
    int gameplay::TGame::*timer;
    int pause;
    int (*count)(gameplay::TGame&);
  } families[] = {
      {"hunters", &gameplay::TGame::GunTimer, 1500,
       [](gameplay::TGame& g) { return g.GroundGuns.UsedCount(); }},
      {"enemies", &gameplay::TGame::MonsterTimer, 1000,
       [](gameplay::TGame& g) { return g.Monsters.UsedCount(); }},
      {"bonuses", &gameplay::TGame::BonusTimer, 1000,
       [](gameplay::TGame& g) { return g.Bonuses.UsedCount(); }},
  };
  for (const auto& f : families) {
    for (int past : {0, 1}) {
      QuietField();
      game.LevelOver = false;
      game.GunTimer = game.MonsterTimer = game.BonusTimer = 0;
      // The step's FrameMs brings the timer to its pause, or one past it.
      game.*f.timer = f.pause - game.FrameMs + past;
      game.SpeedFactor = kSureSpeed;
      game.GameStep(1);
      game.SpeedFactor = 1;
      EXPECT_EQ(f.count(game) > 0, past == 1) << f.family << " at " << f.pause + past << " ms";
      EXPECT_EQ(game.*f.timer, past == 1 ? 0 : f.pause) << f.family;
    }
  }
}

// The wingman shot down forces the hero bonus at the next bonus draw, unless a bonus before it
// in the same draw has come: that one clears the loss. A new game of a known seed is drawn from
// its first number on (nothing draws while the level banner stands).
TEST_F(Spawning, AnEarlierBonusInTheSameDrawClearsTheForcedHeroBonus) {
  constexpr uint32_t kSeed = 5;
  // The score bonus (entry 2, drawn before the hero's entry 4) comes for sure at this speed;
  // the hero bonus by chance one time in four.
  constexpr double kScoreBonusSure = 1000;
  const auto heroBonusComes = [this](bool heroLost, bool scoreBonusSet) {
    form->Game.EndGame();
    form->Game.StartGame(kSeed);
    QuietField();
    form->Game.LevelOver = false;
    form->Game.MonsterTimer = 0;
    form->Game.BonusTimer = 1000;
    form->Game.BonusKinds[objects::BonusSlotOf(objects::TBonusKind::Score)] = scoreBonusSet;
    player().HeroLost = heroLost;
    form->Game.SpeedFactor = kScoreBonusSure;
    form->Game.GameStep(1);
    form->Game.SpeedFactor = 1;
    bool hero = false;
    for (int slot = 1; slot <= 5; ++slot)
      if (form->Game.Bonuses[slot] && form->Game.Bonuses[slot]->Kind == objects::TBonusKind::Hero)
        hero = true;
    return hero;
  };
  ASSERT_FALSE(heroBonusComes(false, true)) << "this seed draws the hero bonus by chance";
  EXPECT_FALSE(heroBonusComes(true, true)) << "the score bonus before it cleared the loss";
  EXPECT_TRUE(heroBonusComes(true, false)) << "with nothing before it, it is forced";
  EXPECT_FALSE(player().HeroLost);
}

using PlayArea = GameFixture;

// Whatever leaves the play area is freed in the frame: a box whose left edge passes 1400, whose
// right edge passes -20, whose top passes -20 or whose bottom passes 680. One on an edge stays.
TEST_F(PlayArea, WhatPassesAnEdgeIsFreedAndWhatTouchesItStays) {
  UntilFlying();
  QuietField();
  form->Game.Hills[0]->SpeedX = 0;  // the bonuses, 40 × 40, stand still on it
  const struct {
    double x, y;
    bool kept;
  } cases[] = {
      {1400, 100, true}, {1401, 100, false},  // left edge against the right border
      {-60, 100, true},  {-61, 100, false},   // right edge against the left border
      {400, -20, true},  {400, -21, false},   // top
      {400, 640, true},  {400, 641, false},   // bottom
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(form->Game.AddBonus(c.x, c.y, 9, objects::TBonusKind::Score));
    Frame();
    EXPECT_EQ(form->Game.Bonuses.Used(1), c.kept) << "at " << c.x << ", " << c.y;
    form->Game.FreeAllBonuses();
  }
}

using Lives = GameFixture;

TEST_F(Lives, ThreeDeathsEndTheGameWithTheGameOverWindowAndBackToTheMenu) {
  EXPECT_EQ(form->Game.Lives, 3);
  for (int death = 1; death <= 3; ++death) {
    UntilFlying();
    ASSERT_EQ(player().State, TPlayer::kFlying);
    player().Explode();
    EXPECT_EQ(form->Game.Lives, 3 - death);
    // 1500 ms of wreck: about 137 frames.
    for (int i = 0; i < 200 && player().State == TPlayer::kDying; ++i) Frame();
  }
  EXPECT_EQ(form->WindowOpen(), kWindowGameOver);
  EXPECT_FALSE(player().Visible);
  // Three seconds; 0 points do not reach the table.
  Frames(272);
  EXPECT_EQ(form->WindowOpen(), kWindowGameOver);
  Frames(2);
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->ScreenType(), kScreenMainMenu);
  EXPECT_EQ(form->Game.Player, nullptr);
  EXPECT_EQ(form->Game.Bullets.UsedCount() + form->Game.Monsters.UsedCount(), 0);
}

TEST_F(Lives, AnExtraLifeNeverGoesAboveThree) {
  player().AddLife();
  EXPECT_EQ(form->Game.Lives, 3);
  form->Game.Lives = 1;
  player().AddLife();
  EXPECT_EQ(form->Game.Lives, 2);
}

using EndOfGame = GameFixture;

TEST_F(EndOfGame, AScoreForTheTableGoesThroughNameEntryAndTheSendOfferToTheRecords) {
  form->Game.Score = 7777;
  form->PlayerName = "Ace";
  platform.KeyDown(vk::kEscape);
  Frame();
  platform.KeyUp(vk::kEscape);
  ASSERT_EQ(form->WindowOpen(), kWindowQuitToMenu);
  form->Screens().Activate(11);
  ASSERT_EQ(form->WindowOpen(), kWindowNameEntry);
  EXPECT_EQ(form->ScreenType(), kScreenGame);  // the game ends only when the chain leaves
  platform.TypeChar(13);
  Frame();
  ASSERT_EQ(form->WindowOpen(), kWindowSendScore);
  EXPECT_EQ(form->HighScores[1].Name, "Ace");
  EXPECT_EQ(form->HighScores[1].Points, 7777);
  form->Screens().Activate(12);
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->ScreenType(), kScreenHighScores);
  EXPECT_EQ(form->Game.Player, nullptr);
  EXPECT_EQ(form->Game.Hills[0], nullptr);
}

// With no records server set nothing asks to send: the name entry leads straight to the table,
// where the new entry stands out, in its row below an equal score.
TEST_F(EndOfGame, WithoutARecordsServerTheNameLeadsToTheTableWithTheEntryMarked) {
  form = std::make_unique<TMForm>(platform, TFormConfig{5, {}});
  form->FormCreate();
  form->LeaveMainMenu();
  form->Game.StartGame(form->Game.DrawGameSeed());
  CloseWindows();
  const int32_t third = form->HighScores[3].Points;
  form->Game.Score = third;
  form->PlayerName = "Ace";
  form->OpenWindow(kWindowNameEntry);
  Frame();
  platform.TypeChar(13);
  Frame();
  EXPECT_EQ(form->WindowOpen(), 0);
  ASSERT_EQ(form->ScreenType(), kScreenHighScores);
  EXPECT_TRUE(platform.Requests().empty());
  EXPECT_EQ(test_support::CurrentScreen<TRecordsScreen>(*form)->NewEntryRow(), 4);
  EXPECT_EQ(form->HighScores[4].Name, "Ace");
  platform.KeyDown(vk::kEscape);
  Frame();
  platform.KeyUp(vk::kEscape);
  platform.TypeChar(13);  // the records again, from the main menu
  Frame();
  ASSERT_EQ(form->ScreenType(), kScreenHighScores);
  EXPECT_EQ(test_support::CurrentScreen<TRecordsScreen>(*form)->NewEntryRow(), 0)
      << "the mark stays with the table shown after the game";
}

TEST_F(EndOfGame, TheLastLifeLostWithATableScoreSendsTheResultOnYes) {
  form->Game.Score = 9000;
  form->Game.Lives = 1;
  UntilFlying();
  player().Explode();
  for (int i = 0; i < 200 && form->WindowOpen() == 0; ++i) Frame();
  ASSERT_EQ(form->WindowOpen(), kWindowGameOver);
  for (int i = 0; i < 400 && form->WindowOpen() == kWindowGameOver; ++i) Frame();
  ASSERT_EQ(form->WindowOpen(), kWindowNameEntry);
  form->Screens().ActivateCurrent();
  ASSERT_EQ(form->WindowOpen(), kWindowSendScore);
  EXPECT_EQ(form->MenuItem(), 11);  // Yes is preselected
  platform.KeyDown('Y');
  Frame();
  platform.KeyUp('Y');
  // The sending window comes in the frame of the answer and shows its text there; the
  // request blocks in the next frame.
  EXPECT_EQ(form->WindowOpen(), 10);
  EXPECT_TRUE(platform.Requests().empty());
  Frame();
  ASSERT_EQ(platform.Requests().size(), 1u);
  const std::string record =
      persist::BuildScoreRecord(form->PlayerName, 9000, form->Options.Country);
  EXPECT_EQ(platform.Requests()[0],
            persist::ScoreRequestAddress(kScoreServer, persist::EncodeScoreRecord(record)));
  EXPECT_EQ(form->WindowOpen(), 0);
  EXPECT_EQ(form->ScreenType(), kScreenHighScores);
}

TEST_F(EndOfGame, LeavingWithoutATableScoreTearsTheWorldDownButKeepsTheSky) {
  Frames(50);
  form->Game.EndGame();
  EXPECT_EQ(form->ScreenType(), kScreenNone);
  // Only the sky is left of the game.
  EXPECT_EQ(form->MDXSpriteEngine.Engine().SpriteCount, 1);
  EXPECT_NE(form->Sky, nullptr);
}

using GameKeys = GameFixture;

TEST_F(GameKeys, TheBossKeyPausesAndHidesTheGame) {
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kF1 + 8);
  platform.KeyUp(vk::kF1 + 8);
  platform.KeyUp(vk::kMenu);
  Frame();
  EXPECT_EQ(form->WindowOpen(), kWindowPause);
  EXPECT_TRUE(platform.Minimized());
  EXPECT_TRUE(form->MusicPending);
}

TEST_F(GameKeys, AltEnterPausesBeforeTheModeSwitchAndPCloses) {
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(vk::kReturn);
  platform.KeyUp(vk::kReturn);
  platform.KeyUp(vk::kMenu);
  Frame();
  EXPECT_EQ(form->WindowOpen(), kWindowPause);
  EXPECT_TRUE(platform.LastDisplayRequest().fullScreen);
  const double x = player().X;
  Frames(20);
  EXPECT_EQ(player().X, x);  // nothing moves behind the pause
  platform.KeyDown('P');
  Frame();
  platform.KeyUp('P');
  EXPECT_EQ(form->WindowOpen(), 0);
}

using Hud = GameFixture;

bool Shows(const TMyImageSprite* icon, const char* image) {
  return icon->Image() == FindListImage(icon->World(), 2, image);
}

TEST_F(Hud, LivesTheWingmanAndTheWeaponHeld) {
  QuietField();
  Frame();
  for (const TMyImageSprite* life : form->Game.Panels.Lives) EXPECT_TRUE(life->Visible);
  EXPECT_FALSE(form->Game.Panels.Hero->Visible);
  EXPECT_TRUE(Shows(form->Game.Panels.Weapon, "Null"));  // the basic gun has no icon
  form->Game.Lives = 1;
  player().Give(objects::TBonusKind::TripleRocket);
  player().StartHero();
  Frame();
  EXPECT_TRUE(form->Game.Panels.Lives[0]->Visible);
  EXPECT_FALSE(form->Game.Panels.Lives[1]->Visible);
  EXPECT_FALSE(form->Game.Panels.Lives[2]->Visible);
  EXPECT_TRUE(form->Game.Panels.Hero->Visible);
  EXPECT_TRUE(Shows(form->Game.Panels.Weapon, "PanelRocket3x"));
  EXPECT_EQ(form->Game.Panels.Weapon->X, 314);
  player().ClearWeapons();
  Frames(2);
  EXPECT_TRUE(Shows(form->Game.Panels.Weapon, "Null"));
  EXPECT_EQ(form->Game.Panels.Weapon->X, 267);
}

}  // namespace
