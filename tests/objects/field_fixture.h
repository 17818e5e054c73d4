#pragma once

#include <gtest/gtest.h>

#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "objects/scroll_background.h"
#include "support/fake_world.h"

// A fake world with what every game object may look into: the craft and the front hills
// (standing still unless a test moves them). Frames of 11 ms, speeds as designed.
struct TFieldFixture : ::testing::Test {
  test_support::TFakeWorld world;
  TPlayer* craft = nullptr;
  TScrollBackground* hills = nullptr;

  void SetUp() override {
    world.FrameMs = 11;
    world.SpeedFactor = 1.0;
    craft = new TPlayer(world);
    world.Player = craft;
    hills = new TScrollBackground(world, 2, "Hills1", 2, 1);
    world.Background = hills;
  }

  // Game frames of one sprite alone.
  void Steps(engine::TSprite& sprite, int frames) {
    for (int i = 0; i < frames; ++i) sprite.Step(world.FrameMs);
  }

  TMonster& AddMonster(double x, double y, uint8_t kind) {
    auto* monster = new TMonster(world, 1, x, 6, kind);
    monster->Y = y;
    return *monster;
  }
  TBullet& Shot(int x, int y, int speed, int angle, uint8_t kind, uint8_t side) {
    return *new TBullet(world, 1, x, y, 11, speed, angle, kind, side, false);
  }
  // The shot the running game would make of what a sprite asked the world to fire.
  TBullet& ShotOf(const test_support::TFakeWorld::TShot& s) {
    return *new TBullet(world, 1, s.X, s.Y, s.Z, s.Speed, s.Angle, s.Kind, s.Side, s.Tilt);
  }
  // A shot gone from the field, as the running game frees it after the frame.
  void Remove(TBullet& shot) {
    shot.KillOnce();
    world.Root.PurgeDead();
  }
};
