#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "gameplay/effect_pan.h"
#include "gameplay/game_rules.h"
#include "gameplay/game_shell.h"
#include "objects/world.h"

namespace engine {
class TDXDraw;
class TDXImageList;
class TDXSpriteEngine;
}  // namespace engine

class TBonus;
class TMyImageSprite;
class TScrollBackground;

namespace gameplay {

// The panel strip of a running game and the icons on it.
struct THudSprites {
  TMyImageSprite* Strip = nullptr;
  std::array<TMyImageSprite*, 3> Lives{};
  TMyImageSprite* Hero = nullptr;
  TMyImageSprite* Weapon = nullptr;
};

// The program's components the game works with; they outlive it.
struct TGameParts {
  engine::TDXSpriteEngine& Sprites;
  engine::TDXImageList& Images1;
  engine::TDXImageList& Images2;
  engine::TDXDraw& Draw;
  platform::TPlatform& Platform;
};

// The running game: its level, score and lives, what each level brings, the spawn timers,
// the craft, the hills and the panel, the four slot tables; and everything that happens to
// them. It is the world every sprite of the program is made in. It lives as long as the
// program: a game starts and ends in it, and the spawn timers carry over from game to game.
class TGame final : public objects::TWorld {
 public:
  TGame(TGameShell& shell, TGameParts parts) : shell_(shell), parts_(parts) {}

  // Each game draws from a random sequence of its own, so its replay needs only the game's
  // seed: the run's seed (the clock's, or the simulator's) for the first game of the run, the
  // next number for each game after it.
  void Seed(uint32_t seed) { nextGameSeed_ = seed; }
  uint32_t DrawGameSeed() { return nextGameSeed_++; }
  uint32_t GameSeed() const { return gameSeed_; }

  int Level = 0;
  bool LevelOver = false;
  TEnemyKinds EnemyKinds{};
  int EnemyKindCount = 0;
  TBonusEntries BonusKinds{};
  int BonusKindCount = 0;
  int GunTimer = 0;
  int MonsterTimer = 0;
  int BonusTimer = 0;
  std::array<TScrollBackground*, 2> Hills{};
  THudSprites Panels;
  objects::TSlotTable<TBonus, 5> Bonuses;

  void StartGame(uint32_t seed);
  void StartLevel(int n);
  void EndGame();
  // One frame of the running game.
  void GameStep(int lag);

  // Each puts its sprite into the lowest free slot; false when the table is full.
  bool AddGroundGun(double x, double y, int z, uint8_t kind);
  bool AddMonster(double x, int z, uint8_t kind);
  bool AddBonus(double x, double y, int z, objects::TBonusKind kind);
  void FireShot(int x, int y, int z, int speed, int angle, uint8_t kind, uint8_t side,
                bool tilt) override;
  void FreeShot(int i) override;
  void FreeGroundGun(int i);
  void FreeMonster(int i);
  void FreeBonus(int i) override;
  void FreeAllShots();
  void FreeAllGroundGuns();
  void FreeAllMonsters();
  void FreeAllBonuses();
  void KillPlayerShots() override;

  // The panel's numbers and icons: each step of the game draws them, and while a window
  // stands over the game, each frame of the window.
  void DrawHud();

  // The rest of what a sprite may ask of its world.
  int RandomBelow(int n) override;
  void PlayEffect(const std::string& name, double x) override {
    shell_.PlayEffect(name, EffectPan(x));
  }
  void PlayCentredEffect(const std::string& name) override { shell_.PlayEffect(name, 0.0f); }
  void OpenWindow(int kind) override { shell_.OpenWindow(kind); }
  engine::TSprite& SpriteRoot() override;
  engine::TDXImageList* ImageList(uint8_t list) override;
  engine::TDirectDrawSurface* DrawSurface() override;
  platform::TPoint PointerPos() override;
  void MovePointerTo(platform::TPoint p) override;
  platform::TPoint WindowPos() override;

 private:
  void EndLevel();
  void SpawnGroundGuns();
  void SpawnMonsters();
  void SpawnBonuses();
  void CullOffscreen();
  void CreateHud();
  void KillHud();

  TGameShell& shell_;
  TGameParts parts_;
  std::mt19937 random_;
  uint32_t nextGameSeed_ = 0;
  uint32_t gameSeed_ = 0;
};

}  // namespace gameplay
