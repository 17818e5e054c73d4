#include "objects/player.h"

#include <cmath>

#include "objects/value_steps.h"
#include "objects/world.h"
#include "platform/platform.h"

namespace {

constexpr uint8_t kImageList = 2;
constexpr double kStartX = 30;
constexpr double kStartY = 221;
constexpr int kDepth = 10;
constexpr int kStartLives = 3;
constexpr int kFlightAnimSpeed = 3;
constexpr int kExplosionAnimSpeed = 4;
constexpr int kDeathMs = 1500;
constexpr int kBlinkMs = 100;
constexpr int kBlinksReborn = 15;
constexpr double kKeyStepX = 8;
constexpr double kKeyStepY = 6;
constexpr double kWreckDrift = 6;
constexpr int kRightEdge = 815;
constexpr int kLeftEdge = -10;
constexpr int kBottomEdge = 570;
constexpr int kTopEdge = 44;  // below the panel strip
// The patterns of the craft: 0 firing, 1–3 flying, 4 firing and 5–7 flying with a rocket
// weapon or the bomb.
constexpr int kFiringPattern = 0;
constexpr int kFirstFlight = 1;
constexpr int kLastFlight = 3;
constexpr int kArmedFiringPattern = 4;
constexpr int kFirstArmedFlight = 5;
constexpr int kLastArmedFlight = 7;

}  // namespace

TPlayer::TPlayer(objects::TWorld& world)
    : TMyImageSprite(world, kImageList, "Player", kStartX, kStartY, kDepth) {
  PixelHit = false;
  AnimFrames = Image() ? Image()->PatternCount() : 0;
  World().Lives = kStartLives;
  World().Score = 0;
  FlightFirst = kFirstFlight;
  FlightLast = kLastFlight;
  AnimSpeed = kFlightAnimSpeed;
  heroImage_ = FindListImage(world, kImageList, "Hero");
  heroEngine_ = FindListImage(world, kImageList, "HeroAnim");
  heroBlast_ = FindListImage(world, kImageList, "HeroExplosion");
}

void TPlayer::Damage(int points) {
  HitPoints -= points;
  if (HitPoints <= 0) Explode();
}

// Both ways of dying share this: a life less, the weapons gone, the mega shots in flight
// called back.
void TPlayer::Die() {
  State = kDying;
  PlayEffectFromHere("PlayerKill");
  DeathTimer = kDeathMs;
  if (World().Lives > 0) World().Lives -= 1;
}

void TPlayer::Explode() {
  Die();
  X += 45;
  Y += 5;
  PlayLoop("PlayerExplosion", kExplosionAnimSpeed);
  ClearWeapons();
  World().KillPlayerShots();
}

void TPlayer::Eaten() {
  Die();
  ClearWeapons();
  World().KillPlayerShots();
  Visible = false;
}

// The flight animation keeps the rate it had: after an explosion it runs at the blast's.
void TPlayer::Respawn() {
  State = kReborn;
  LevelDone = false;
  if (World().Lives == 0) {
    Visible = false;
    World().PlayCentredEffect("GameOver");
    World().OpenWindow(kWindowGameOver);
    return;
  }
  SetImageByName("Player");
  AnimFrame = 1;
  X = kStartX;
  Y = kStartY;
  Blended = false;
  Alpha = 0;
  Visible = true;
  BlinkCount = 0;
  BlinkTimer = kBlinkMs;
  HideAtEnd = false;
  HitPoints = 1;
  if (Owns(objects::TBonusKind::Hero)) StartHero();
}

void TPlayer::EndReborn() {
  State = kFlying;
  SetImageByName("Player");
  Blended = false;
  Alpha = 0;
  Visible = true;
  HideAtEnd = false;
}

void TPlayer::StartLevelEnd() {
  PlayEffectFromHere("Reborn");
  LevelDone = true;
  ClearWeapons();
  BlinkCount = 0;
}

void TPlayer::AddScore(int points) {
  World().Score += points;
}

void TPlayer::AddLife() {
  if (World().Lives < kStartLives) World().Lives += 1;
}

void TPlayer::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  CheckHits();
  if (Owns(objects::TBonusKind::Hero)) StepHero();
  SteerByMouse();
  // Taken before firing: the pose stays the armed one on the frame the bomb goes.
  const bool armed = Armed();
  FlightFirst = armed ? kFirstArmedFlight : kFirstFlight;
  FlightLast = armed ? kLastArmedFlight : kLastFlight;
  if (State == kReborn || State == kFlying) {
    FlyByKeys(armed);
    KeepOnPlayfield();
  }
  if (LevelDone) Blink();
  if (State == kReborn && Blink() && BlinkCount >= kBlinksReborn) {
    Visible = true;
    EndReborn();
  }
  if (State == kDying) {
    if (!objects::CountDown(DeathTimer, 0, World().FrameMs)) Respawn();
    X += kWreckDrift * World().SpeedFactor;
    Y += kWreckDrift * World().SpeedFactor;
  }
  WeaponTick();
  if (!objects::CountDown(ReloadTimer, 0, World().FrameMs)) ReloadTimer = 0;
  // Every state shows the flight patterns, the explosion too.
  if (AnimFrame < FlightFirst) AnimFrame = FlightFirst;
  if (AnimFrame > FlightLast) AnimFrame = FlightFirst;
}

void TPlayer::FlyByKeys(bool armed) {
  const double speed = World().SpeedFactor;
  if (MoveLeft) X -= kKeyStepX * speed;
  if (MoveRight) X += kKeyStepX * speed;
  if (MoveUp) Y -= kKeyStepY * speed;
  if (MoveDown) Y += kKeyStepY * speed;
  if (!FireHeld) return;
  Fire();
  const int pose = armed ? kArmedFiringPattern : kFiringPattern;
  FlightFirst = pose;
  FlightLast = pose;
  AnimFrame = pose;
}

void TPlayer::KeepOnPlayfield() {
  if (X + Width > kRightEdge) X = kRightEdge - Width;
  if (X < kLeftEdge) X = kLeftEdge;
  if (Y + Height > kBottomEdge) Y = kBottomEdge - Height;
  if (Y < kTopEdge) Y = kTopEdge;
}

// One tick of the blink; true when it toggled.
bool TPlayer::Blink() {
  BlinkTimer -= World().FrameMs;
  if (BlinkTimer > 0) return false;
  BlinkTimer = kBlinkMs;
  BlinkCount += 1;
  Visible = !Visible;
  return true;
}

// The pointer steers by how far it moved since the last frame and is put back over the
// craft, so it never leaves the window while a game runs.
void TPlayer::SteerByMouse() {
  objects::TWorld& world = World();
  const platform::TPoint pointer = world.PointerPos();
  const double limit = 20 * world.SpeedFactor;
  const auto limited = [limit](int delta) {
    if (delta > limit) return static_cast<int>(std::nearbyint(limit));
    if (delta < -limit) return static_cast<int>(std::nearbyint(-limit));
    return delta;
  };
  const int dx = limited(pointer.x - world.LastPointerX);
  const int dy = limited(pointer.y - world.LastPointerY);
  if (State == kReborn || State == kFlying) {
    X += dx / 1.5;
    Y += dy / 1.8;
    const platform::TPoint window = world.WindowPos();
    world.MovePointerTo({static_cast<int>(window.x + X + Width / 2.0),
                         static_cast<int>(window.y + Y + Height / 2.0)});
  }
  const platform::TPoint after = world.PointerPos();
  world.LastPointerX = after.x;
  world.LastPointerY = after.y;
}
