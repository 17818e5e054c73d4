#pragma once

#include "app/form.h"
#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "support/headless_form_fixture.h"

// A game started from the main menu, its first level banner gone.
struct GameFixture : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    form->LeaveMainMenu();
    form->Game.StartGame(form->Game.DrawGameSeed());
    CloseWindows();
  }

  // Frames until no window is open (the level banner closes by itself).
  void CloseWindows() {
    for (int i = 0; i < 1000 && form->WindowOpen() != 0; ++i) Frame();
  }
  // No more spawning, nothing left of what came before, no wingman firing at random: only
  // what a test puts on the field.
  void QuietField() {
    form->Game.LevelOver = true;
    player().Drop(objects::TBonusKind::Hero);
    form->Game.FreeAllShots();
    form->Game.FreeAllMonsters();
    form->Game.FreeAllGroundGuns();
    form->Game.FreeAllBonuses();
  }
  // Until the craft has stopped blinking after its respawn.
  void UntilFlying() {
    for (int i = 0; i < 400 && player().State != TPlayer::kFlying; ++i) Frame();
  }

  TPlayer& player() { return *form->Game.Player; }
  TMonster& AddMonster(double x, double y, uint8_t kind) {
    const int slot = form->Game.Monsters.FirstFree();
    EXPECT_TRUE(form->Game.AddMonster(x, 6, kind));
    TMonster& monster = *form->Game.Monsters[slot];
    monster.Y = y;
    return monster;
  }
  TGroundGun& AddHunter(double x, uint8_t kind) {
    const int slot = form->Game.GroundGuns.FirstFree();
    EXPECT_TRUE(form->Game.AddGroundGun(x, gameplay::HunterY(kind), 6, kind));
    return *form->Game.GroundGuns[slot];
  }
  TBullet& Fire(int x, int y, int speed, int angle, uint8_t kind, uint8_t side) {
    const int slot = form->Game.Bullets.FirstFree();
    form->Game.FireShot(x, y, 11, speed, angle, kind, side, false);
    return *form->Game.Bullets[slot];
  }
  int ShotsOfKind(uint8_t kind) {
    int count = 0;
    for (int i = 1; i <= decltype(form->Game.Bullets)::kSlots; ++i) {
      if (form->Game.Bullets[i] && form->Game.Bullets[i]->Kind == kind) ++count;
    }
    return count;
  }
};
