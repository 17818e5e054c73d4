#include "gameplay/game.h"

#include "objects/bonus.h"
#include "objects/bullet.h"
#include "objects/ground_gun.h"
#include "objects/monster.h"

namespace gameplay {

// A full table refuses quietly; the family's timer then keeps growing, so the next free slot
// is filled at the first lucky draw.
bool TGame::AddGroundGun(double x, double y, int z, uint8_t kind) {
  const int slot = GroundGuns.FirstFree();
  if (slot == 0) return false;
  GroundGuns.Put(slot, new TGroundGun(*this, kind, slot, x, y, z));  // owned by the tree
  GunTimer = 0;
  return true;
}

bool TGame::AddMonster(double x, int z, uint8_t kind) {
  const int slot = Monsters.FirstFree();
  if (slot == 0) return false;
  Monsters.Put(slot, new TMonster(*this, slot, x, z, kind));
  MonsterTimer = 0;
  return true;
}

bool TGame::AddBonus(double x, double y, int z, objects::TBonusKind kind) {
  const int slot = Bonuses.FirstFree();
  if (slot == 0) return false;
  Bonuses.Put(slot, new TBonus(*this, x, y, z, slot, kind));
  BonusTimer = 0;
  return true;
}

void TGame::FireShot(int x, int y, int z, int speed, int angle, uint8_t kind, uint8_t side,
                     bool tilt) {
  const int slot = Bullets.FirstFree();
  if (slot == 0) return;
  Bullets.Put(slot, new TBullet(*this, slot, x, y, z, speed, angle, kind, side, tilt));
}

void TGame::FreeShot(int i) {
  Bullets.Free(i);
}
void TGame::FreeGroundGun(int i) {
  GroundGuns.Free(i);
}
void TGame::FreeMonster(int i) {
  Monsters.Free(i);
}
void TGame::FreeBonus(int i) {
  Bonuses.Free(i);
}
void TGame::FreeAllShots() {
  Bullets.FreeAll();
}
void TGame::FreeAllGroundGuns() {
  GroundGuns.FreeAll();
}
void TGame::FreeAllMonsters() {
  Monsters.FreeAll();
}
void TGame::FreeAllBonuses() {
  Bonuses.FreeAll();
}

// The craft's mega shots still in flight go with the craft.
void TGame::KillPlayerShots() {
  for (int i = 1; i <= decltype(Bullets)::kSlots; ++i) {
    const TBullet* shot = Bullets[i];
    if (shot && shot->Kind == TBullet::kMegaShot && shot->Side == TBullet::kPlayerSide) FreeShot(i);
  }
}

}  // namespace gameplay
