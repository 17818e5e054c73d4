#include "gameplay/game.h"

#include <string>

#include "objects/kill_and_forget.h"
#include "objects/my_image_sprite.h"
#include "objects/player.h"
#include "objects/weapons.h"

namespace {

constexpr uint8_t kImageList = 2;
constexpr int kStripDepth = 9;
constexpr int kIconDepth = 10;
constexpr int kFirstLifeX = 28;
constexpr int kLifeSpacing = 51;
constexpr int kIconY = 4;
constexpr int kHeroIconX = 192;
constexpr int kWeaponX = 267;
constexpr int kWeaponY = 6;
constexpr int kLevelStyle = 6;
constexpr int kScoreStyle = 7;
constexpr int kLevelX = 770;
constexpr int kScoreX = 633;
constexpr int kNumbersY = 25;

}  // namespace

namespace gameplay {

void TGame::CreateHud() {
  Panels.Strip =
      new TMyImageSprite(*this, kImageList, "Panels", 0, 0, kStripDepth);  // owned by the tree
  for (size_t i = 0; i < Panels.Lives.size(); ++i) {
    const double x = kFirstLifeX + kLifeSpacing * static_cast<int>(i);
    Panels.Lives[i] = new TMyImageSprite(*this, kImageList, "PanelLife", x, kIconY, kIconDepth);
  }
  Panels.Hero = new TMyImageSprite(*this, kImageList, "PanelHero", kHeroIconX, kIconY, kIconDepth);
  Panels.Weapon = new TMyImageSprite(*this, kImageList, "Null", kWeaponX, kWeaponY, kIconDepth);
}

void TGame::KillHud() {
  KillAndForget(Panels.Strip);
  for (TMyImageSprite*& life : Panels.Lives) KillAndForget(life);
  KillAndForget(Panels.Hero);
  KillAndForget(Panels.Weapon);
}

// The numbers show in this frame; the icons, drawn before the step, in the next.
void TGame::DrawHud() {
  if (!Player || !Panels.Weapon) return;
  shell_.DrawHudText(std::to_string(Level), kLevelStyle, kLevelX, kNumbersY);
  shell_.DrawHudText(std::to_string(Score), kScoreStyle, kScoreX, kNumbersY);
  const int shown = std::clamp(Lives, 0, static_cast<int>(Panels.Lives.size()));
  for (int i = 0; i < static_cast<int>(Panels.Lives.size()); ++i)
    Panels.Lives[i]->Visible = i < shown;
  Panels.Hero->Visible = Player->Owns(objects::TBonusKind::Hero);
  // The first weapon of the table that the craft holds and the panel has an icon for.
  const objects::TWeapon* held = nullptr;
  for (const objects::TWeapon& weapon : objects::kWeapons) {
    if (weapon.panelIcon && Player->Owns(weapon.kind)) {
      held = &weapon;
      break;
    }
  }
  Panels.Weapon->SetImageByName(held ? held->panelIcon : "Null");
  Panels.Weapon->X = held ? held->panelX : kWeaponX;
}

}  // namespace gameplay
