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
    form->StartGame();
    CloseWindows();
  }

  // Frames until no window is open (the level banner closes by itself).
  void CloseWindows() {
    for (int i = 0; i < 1000 && form->WindowOpen != 0; ++i) Frame();
  }
  // No more spawning, nothing left of what came before, no wingman firing at random: only
  // what a test puts on the field.
  void QuietField() {
    form->LevelOver = true;
    player().Owned[gameplay::kHeroBonusEntry] = false;
    form->FreeAllShots();
    form->FreeAllMonsters();
    form->FreeAllGroundGuns();
    form->FreeAllBonuses();
  }
  // Until the craft has stopped blinking after its respawn.
  void UntilFlying() {
    for (int i = 0; i < 400 && player().State != TPlayer::kFlying; ++i) Frame();
  }

  TPlayer& player() { return *form->Player; }
  TMonster& AddMonster(double x, double y, uint8_t kind) {
    const int slot = form->Monsters.FirstFree();
    EXPECT_TRUE(form->AddMonster(x, 6, kind));
    TMonster& monster = *form->Monsters[slot];
    monster.Y = y;
    return monster;
  }
  TGroundGun& AddHunter(double x, uint8_t kind) {
    const int slot = form->GroundGuns.FirstFree();
    EXPECT_TRUE(form->AddGroundGun(x, gameplay::HunterY(kind), 6, kind));
    return *form->GroundGuns[slot];
  }
  TBullet& Fire(int x, int y, int speed, int angle, uint8_t kind, uint8_t side) {
    const int slot = form->Bullets.FirstFree();
    form->FireShot(x, y, 11, speed, angle, kind, side, false);
    return *form->Bullets[slot];
  }
  int ShotsOfKind(uint8_t kind) {
    int count = 0;
    for (int i = 1; i <= decltype(form->Bullets)::kSlots; ++i) {
      if (form->Bullets[i] && form->Bullets[i]->Kind == kind) ++count;
    }
    return count;
  }
};
