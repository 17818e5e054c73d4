#pragma once

#include <array>
#include <cstdint>

#include "objects/bonus_entries.h"
#include "objects/my_image_sprite.h"

// The craft the player flies, and its wingman, who is no sprite of his own: the craft moves,
// draws, hit-tests and fires him.
class TPlayer : public TMyImageSprite {
 public:
  enum : uint8_t { kReborn = 0, kFlying = 1, kDying = 2 };

  explicit TPlayer(objects::TWorld& world);

  bool MoveLeft = false;
  bool MoveRight = false;
  bool MoveUp = false;
  bool MoveDown = false;
  std::array<bool, objects::kBonusEntries + 1> Owned{};  // by entry 1..10 (BonusSlotOf)
  std::array<int, 10> SlotTimer{};                       // entries 1..9
  int ReloadTimer = 0;
  uint8_t State = kReborn;
  int DeathTimer = 0;
  int BlinkCount = 0;
  int BlinkTimer = 0;
  int HitPoints = 0;
  bool LevelDone = false;
  bool FireHeld = false;
  int FlightFirst = 0;
  int FlightLast = 0;
  bool HeroDown = false;
  bool HeroLost = false;
  double HeroX = 0;
  double HeroY = 0;
  double HeroDriftX = 0;
  double HeroDriftY = 0;
  double HeroTargetX = 0;
  double HeroTargetY = 0;
  double HeroAngle = 0;  // radians, from the craft's centre
  double HeroRadius = 0;
  double HeroAnim = 0;
  double HeroBlast = 0;
  int HeroFireTimer = 0;
  double CentreX = 0;
  double CentreY = 0;

  void Damage(int points);
  void Explode();
  void Eaten();
  void Respawn();
  void EndReborn();
  void StartLevelEnd();

  void StartHero();
  void HeroShotDown();
  void HeroFire();
  void MegaBlast();

  void AddScore(int points);
  void AddLife();
  bool Owns(objects::TBonusKind kind) const { return Owned[objects::BonusSlotOf(kind)]; }
  void Give(objects::TBonusKind kind);
  void Drop(objects::TBonusKind kind);
  void ClearWeapons();
  bool HasWeapon() const;
  bool Armed() const;
  void WeaponTick();
  void Fire();
  // One round of a weapon, unless it is reloading or the level is done.
  void FireWeapon(objects::TBonusKind kind);

  void Step(int32_t lag) override;
  void OnHit(engine::TSprite& other, bool& done) override;
  void Render() override;

 private:
  void StepHero();
  void HeroCollisions();
  void SteerHero();
  void SteerByMouse();
  void FlyByKeys(bool armed);
  void KeepOnPlayfield();
  bool Blink();
  void RenderHero();
  void Die();

  // The wingman's pictures, looked up once: he is drawn every frame.
  const engine::TPictureCollectionItem* heroImage_ = nullptr;
  const engine::TPictureCollectionItem* heroEngine_ = nullptr;
  const engine::TPictureCollectionItem* heroBlast_ = nullptr;
};
