#include "objects/bonus.h"

#include "objects/scroll_background.h"
#include "objects/world.h"

namespace {

constexpr uint8_t kImageList = 2;
constexpr int kBonusAnimSpeed = 6;
constexpr int kKickMs = 300;
constexpr int kKickSpeed = 6;
constexpr int kKickedAway = 800;

}  // namespace

TBonus::TBonus(objects::TWorld& world, double x, double y, int32_t z, int slot,
               objects::TBonusKind kind)
    : TMyImageSprite(world, kImageList, objects::BonusImageOf(kind), x, y, z),
      Slot(slot),
      Kind(kind) {
  AnimSpeed = kBonusAnimSpeed;
}

void TBonus::Kick() {
  KickTimer = kKickMs;
  KickSpeed = kKickSpeed;
  if (X > kKickedAway) World().FreeBonus(Slot);
}

// It drifts with the front hills; a kick carries it right for a moment.
void TBonus::Step(int32_t lag) {
  TMyImageSprite::Step(lag);
  X += (World().Background->SpeedX + KickSpeed) * World().SpeedFactor;
  if (KickSpeed > 0) {
    KickTimer -= World().FrameMs;
    if (KickTimer <= 0) KickSpeed = 0;
  }
}
