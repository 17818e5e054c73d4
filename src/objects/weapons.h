#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "objects/bonus_kind.h"
#include "objects/bullet.h"

// The craft's weapons, one row each: what a weapon fires and from where, how long it reloads,
// how long it lasts and how the panel shows it. The craft fires by it, the HUD draws by it
// and assetgen draws the panel's icons by it.
namespace objects {

// Where a shot leaves: (dx, dy) from the shooter's top left corner, at depth z, turned by
// angle (256ths of a turn, positive downwards).
struct TMuzzle {
  int dx = 0;
  int dy = 0;
  int z = 0;
  int angle = 0;
};

constexpr int kTimedWeaponMs = 5000;

struct TWeapon {
  TBonusKind kind = TBonusKind::BasicGun;
  const char* sound = nullptr;
  uint8_t shot = TBullet::kGunShot;  // a TBullet kind
  int speed = 0;                     // the shots' starting speed
  std::array<TMuzzle, 3> muzzles{};
  int muzzleCount = 1;
  int reloadMs = 0;
  int lastsMs = 0;                  // 0: until another weapon replaces it
  bool underWings = false;          // the craft flies its armed poses while it holds one
  bool usedUp = false;              // fired once, even while a reload runs, and gone
  int blastDamage = 0;              // its shot's blast hurts every enemy on the field this much
  const char* panelIcon = nullptr;  // nullptr: the panel shows none
  int panelX = 0;

  constexpr std::span<const TMuzzle> Muzzles() const {
    return {muzzles.data(), static_cast<size_t>(muzzleCount)};
  }
};

// In the order the panel looks for the weapon held.
constexpr TWeapon kWeapons[] = {
    {.kind = TBonusKind::MegaBomb,
     .sound = "Rail",
     .shot = TBullet::kMegaShot,
     .speed = 6,
     .muzzles = {{{43, 52, 11, 0}}},
     .reloadMs = 500,
     .underWings = true,
     .usedUp = true,
     .blastDamage = 10,
     .panelIcon = "PanelMegaBomb",
     .panelX = 267},
    {.kind = TBonusKind::TripleRocket,
     .sound = "Rocket",
     .shot = TBullet::kRocket,
     .speed = 2,
     .muzzles = {{{110, 55, 9, -10}, {110, 59, 11, 0}, {110, 63, 9, 10}}},
     .muzzleCount = 3,
     .reloadMs = 300,
     .lastsMs = kTimedWeaponMs,
     .underWings = true,
     .panelIcon = "PanelRocket3x",
     .panelX = 314},
    {.kind = TBonusKind::RocketLauncher,
     .sound = "Rocket",
     .shot = TBullet::kRocket,
     .speed = 2,
     .muzzles = {{{110, 59, 11, 0}}},
     .reloadMs = 300,
     .lastsMs = kTimedWeaponMs,
     .underWings = true,
     .panelIcon = "PanelRocket",
     .panelX = 362},
    {.kind = TBonusKind::RapidGun,
     .sound = "Laser",
     .shot = TBullet::kGunShot,
     .speed = 10,
     .muzzles = {{{85, 47, 11, 0}}},
     .reloadMs = 150,
     .lastsMs = kTimedWeaponMs,
     .panelIcon = "PanelSingleGun",
     .panelX = 410},
    {.kind = TBonusKind::DoubleGun,
     .sound = "Laser2",
     .shot = TBullet::kGunShot,
     .speed = 10,
     .muzzles = {{{85, 43, 11, 0}, {85, 59, 11, 0}}},
     .muzzleCount = 2,
     .reloadMs = 300,
     .lastsMs = kTimedWeaponMs,
     .panelIcon = "PanelMultiGun",
     .panelX = 458},
    {.kind = TBonusKind::BasicGun,
     .sound = "Laser",
     .shot = TBullet::kGunShot,
     .speed = 10,
     .muzzles = {{{85, 47, 11, 0}}},
     .reloadMs = 300},
};

// The wingman's gun: the basic gun's shot from his nose, on his own reload.
constexpr TWeapon kWingmanGun = {.kind = TBonusKind::Hero,
                                 .sound = "Laser",
                                 .shot = TBullet::kGunShot,
                                 .speed = 10,
                                 .muzzles = {{{30, 0, 11, 0}}},
                                 .reloadMs = 200};

// The row of a weapon kind; nullptr for a bonus that is no weapon.
constexpr const TWeapon* WeaponOf(TBonusKind kind) {
  for (const TWeapon& weapon : kWeapons)
    if (weapon.kind == kind) return &weapon;
  return nullptr;
}

}  // namespace objects
