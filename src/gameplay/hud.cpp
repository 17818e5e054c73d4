#include "gameplay/game.h"

#include <string>

#include "objects/kill_and_forget.h"
#include "objects/my_image_sprite.h"
#include "objects/player.h"

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

// The weapon shown is the first of these the craft holds.
struct TWeaponIcon {
  objects::TBonusKind kind;
  const char* image;
  int x;
};
using enum objects::TBonusKind;
constexpr TWeaponIcon kWeaponIcons[] = {
    {MegaBomb, "PanelMegaBomb", 267},     {TripleRocket, "PanelRocket3x", 314},
    {RocketLauncher, "PanelRocket", 362}, {RapidGun, "PanelSingleGun", 410},
    {DoubleGun, "PanelMultiGun", 458},
};

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
  Panels.Hero->Visible = Player->Owns(Hero);
  const TWeaponIcon* icon = nullptr;
  for (const TWeaponIcon& candidate : kWeaponIcons) {
    if (Player->Owns(candidate.kind)) {
      icon = &candidate;
      break;
    }
  }
  Panels.Weapon->SetImageByName(icon ? icon->image : "Null");
  Panels.Weapon->X = icon ? icon->x : kWeaponX;
}

}  // namespace gameplay
