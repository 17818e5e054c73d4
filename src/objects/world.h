#pragma once

#include <cstdint>
#include <string>

#include "objects/slot_table.h"
#include "objects/window_kinds.h"
#include "platform/platform.h"

namespace engine {
class TDirectDrawSurface;
class TDXImageList;
class TSprite;
}  // namespace engine

class TBullet;
class TGroundGun;
class TMonster;
class TPlayer;
class TScrollBackground;

namespace objects {

// What a game object may see and ask of the world it lives in, and nothing more. The numbers
// and tables the objects share are plain members; whatever needs more than a member is a
// call. The running game is the world of every sprite of the program; a test can make a small
// one of its own. A sprite is handed its world when it is made and keeps it for its life.
class TWorld {
 public:
  TWorld() = default;
  virtual ~TWorld() = default;
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  // The frame's timing: every speed is per frame at 85 Hz, scaled by SpeedFactor; the timers
  // count FrameMs a frame.
  double SpeedFactor = 1.0;
  int FrameMs = 15;

  // The running game's numbers that the objects change.
  int Score = 0;
  int Lives = 0;
  int EnemiesLeft = 0;
  uint64_t LastSerial = 0;  // numbers the enemies and hunters, so a shot knows its own
  // Where the system pointer stood after the previous frame; the craft steers by its moves.
  int LastPointerX = 0;
  int LastPointerY = 0;

  // What is on the field; the collision rules look into it. The sprites are owned by the
  // sprite tree; these only point at them.
  TPlayer* Player = nullptr;
  TScrollBackground* Background = nullptr;  // the front hills, which carry the ground
  TSlotTable<TBullet, 50> Bullets;
  TSlotTable<TMonster, 10> Monsters;
  TSlotTable<TGroundGun, 5> GroundGuns;

  // A random integer 0..n−1, from the one sequence the whole run draws from.
  virtual int RandomBelow(int n) = 0;
  // Starts a sound effect by name (when the player has sounds on), heard from x: where across
  // the field it happens, in the field's pixels.
  virtual void PlayEffect(const std::string& name, double x) = 0;
  // One that belongs to no place on the field (the game-over tune): heard from the middle.
  virtual void PlayCentredEffect(const std::string& name) = 0;

  // The parent every sprite is made under, the image lists numbered 1 and 2 (none for another
  // number), and the surface the sprites draw on (none while there is no display).
  virtual engine::TSprite& SpriteRoot() = 0;
  virtual engine::TDXImageList* ImageList(uint8_t list) = 0;
  virtual engine::TDirectDrawSurface* DrawSurface() = 0;

  // The system pointer in screen coordinates and the window's place, for steering by mouse.
  virtual platform::TPoint PointerPos() = 0;
  virtual void MovePointerTo(platform::TPoint p) = 0;
  virtual platform::TPoint WindowPos() = 0;

  // The shot table: a new shot in the lowest free slot (none when it is full), one freed, and
  // the craft's mega shots called back. A bonus kicked off the field frees its own slot.
  virtual void FireShot(int x, int y, int z, int speed, int angle, uint8_t kind, uint8_t side,
                        bool tilt) = 0;
  virtual void FreeShot(int i) = 0;
  virtual void KillPlayerShots() = 0;
  virtual void FreeBonus(int i) = 0;

  // An in-game window over the field (objects/window_kinds.h): the craft's last life gone
  // opens the game-over one.
  virtual void OpenWindow(int kind) = 0;
};

}  // namespace objects
