#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/form.h"
#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "platform/headless/headless_platform.h"
#include "support/minimal_xm.h"
#include "support/temp_dir.h"

// The real form on the headless platform at 85 frames a second (SpeedFactor 1, FrameMs 11),
// with a game started from the main menu and its first level banner gone.
struct GameFixture : ::testing::Test {
  static constexpr int kRate = 85;
  static constexpr int kFrameMs = 1000 / kRate;

  test_support::TTempWorkDir dir;
  platform::THeadlessPlatform platform{kRate};
  std::unique_ptr<TMForm> form;
  int64_t frames = 0;

  void SetUp() override {
    dir.LinkGameResources();
    std::filesystem::create_directories("Data/Music");
    test_support::WriteMinimalXm("Data/Music/Menu.xm");
    test_support::WriteMinimalXm("Data/Music/Race.xm");
    form = std::make_unique<TMForm>(platform, TFormConfig{5, {}});
    MForm = form.get();
    form->FormCreate();
    form->LeaveMainMenu();
    form->StartGame();
    CloseWindows();
  }
  void TearDown() override {
    form.reset();
    MForm = nullptr;
  }

  // One turn of the message loop at the next frame's time.
  void Frame() {
    ++frames;
    platform.SetTicks(static_cast<uint32_t>(frames * 1000 / kRate));
    form->ProcessEvents();
    form->RunIdle();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
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
    const double y[] = {409, 407, 429};
    EXPECT_TRUE(form->AddGroundGun(x, y[kind], 6, kind));
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
