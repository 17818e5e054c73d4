#include "monkey.h"

#include <cmath>

#include "app/form.h"
#include "objects/monster.h"
#include "objects/player.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"

namespace sim {

namespace {

namespace vk = platform::vk;

constexpr double kSteerSlack = 12;  // pixels off the target's height it lets go
constexpr double kDodgeDistance = 120;
constexpr double kBirdDodgeDistance = 160;  // a bird swings up and down and swallows
constexpr double kTopRoom = 60;             // the craft stays between 44 and 570
constexpr double kBottomRoom = 555;
constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;
// Keys the game reads, by their logical states or by key messages.
constexpr int kGameKeys[] = {vk::kUp,      vk::kDown,   vk::kLeft,  vk::kRight,  'P', 'Y',
                             'N',          vk::kEscape, vk::kSpace, vk::kReturn, 'Z', 'X',
                             'C',          'V',         'B',        '1',         '5', '0',
                             vk::kControl, vk::kShift,  vk::kF1 + 4};
// In the quit question only the answer No and keys that cannot answer Yes are pressed.
constexpr int kSafeQuitKeys[] = {'N', vk::kEscape, vk::kUp, vk::kDown, 'P', vk::kSpace};

}  // namespace

void TMonkey::BeforeFrame(int64_t frame, const TMForm& form,
                          platform::THeadlessPlatform& platform) {
  ReleaseDueKeys(frame, platform);
  if (!platform.AppActive()) {
    if (Chance(10)) platform.SetFocus(true);
    return;
  }
  if (form.ScreenType == kScreenGame && form.WindowOpen == 0) {
    PlayGame(frame, form, platform);
    return;
  }
  if (form.WindowOpen == kWindowPause || form.WindowOpen == kWindowQuitToMenu) {
    AnswerGameWindow(frame, form, platform);
    return;
  }
  const bool quitQuestionOpen = form.WindowOpen == kWindowQuitGame;
  if (Chance(8)) PressRandomKey(frame, quitQuestionOpen, platform);
  if (Chance(6)) UseMouse(frame, quitQuestionOpen, platform);
  if (Chance(2)) TypeCharacter(platform);
  if (!quitQuestionOpen && Chance(1)) UseBossKeyOrModeSwitch(platform);
  if (Chance(1) && Chance(20)) platform.SetFocus(false);
  if (Chance(1) && Chance(20)) platform.RequestClose();
}

void TMonkey::ReleaseDueKeys(int64_t frame, platform::THeadlessPlatform& platform) {
  for (auto it = heldKeys_.begin(); it != heldKeys_.end();) {
    if (it->second <= frame) {
      platform.KeyUp(it->first);
      it = heldKeys_.erase(it);
    } else {
      ++it;
    }
  }
  if (mouseReleaseFrame_ >= 0 && mouseReleaseFrame_ <= frame) {
    platform.ReleaseMouse();
    mouseReleaseFrame_ = -1;
  }
}

void TMonkey::HoldKey(int key, int64_t untilFrame, platform::THeadlessPlatform& platform) {
  if (heldKeys_.contains(key)) return;
  platform.KeyDown(key);
  heldKeys_[key] = untilFrame;
}

void TMonkey::PressRandomKey(int64_t frame, bool quitQuestionOpen,
                             platform::THeadlessPlatform& platform) {
  const int key = quitQuestionOpen ? kSafeQuitKeys[Below(std::size(kSafeQuitKeys))]
                                   : kGameKeys[Below(std::size(kGameKeys))];
  HoldKey(key, frame + 1 + Below(20), platform);
}

void TMonkey::UseMouse(int64_t frame, bool quitQuestionOpen,
                       platform::THeadlessPlatform& platform) {
  // Drawn one by one: the order in which a call's arguments are worked out is the compiler's
  // choice, and every build must draw the same numbers for the same things.
  const int y = Below(kSurfaceHeight);
  const int x = Below(kSurfaceWidth);
  platform.MoveMouse(x, y);
  if (quitQuestionOpen || !Chance(30)) return;
  platform.PressMouse();
  mouseReleaseFrame_ = frame + 1 + Below(5);
  if (Chance(50)) platform.Click();
  if (Chance(10)) platform.DoubleClick();
}

// In a running game it plays: fire held most of the time, the craft steered to the height
// of the next enemy, and now and then any other key, the mouse, the boss key or Alt+Enter.
void TMonkey::PlayGame(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform) {
  HoldFire(frame, platform);
  Steer(frame, form, platform);
  if (Chance(2)) PressRandomKey(frame, false, platform);
  if (Chance(1)) UseMouse(frame, false, platform);
  if (Chance(1) && Chance(10)) UseBossKeyOrModeSwitch(platform);
  if (Chance(1) && Chance(20)) platform.SetFocus(false);
}

// The pause is ended soon; the question to leave the game is mostly answered No.
void TMonkey::AnswerGameWindow(int64_t frame, const TMForm& form,
                               platform::THeadlessPlatform& platform) {
  if (!Chance(4)) return;
  int key = 'P';
  if (form.WindowOpen == kWindowQuitToMenu) key = Chance(95) ? 'N' : 'Y';
  HoldKey(key, frame + 1 + Below(3), platform);
}

// It aims at the nearest enemy ahead, but any enemy close by, ahead or over the craft, comes
// first: the craft gets out of its way.
void TMonkey::Steer(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform) {
  const TPlayer* player = form.Game.Player;
  if (!player) return;
  const double centre = player->Y + player->Height / 2.0;
  const TMonster* next = nullptr;
  const TMonster* danger = nullptr;
  for (int i = 1; i <= decltype(form.Game.Monsters)::kSlots; ++i) {
    const TMonster* monster = form.Game.Monsters[i];
    if (!monster || monster->Dying || monster->X + monster->Width < player->X) continue;
    const double reach = monster->Kind == TMonster::kBird ? kBirdDodgeDistance : kDodgeDistance;
    const double ahead = monster->X - (player->X + player->Width);
    const double apart = std::abs(monster->Y + monster->Height / 2.0 - centre);
    const bool close =
        ahead < reach && apart < (monster->Height + player->Height) / 2.0 + kSteerSlack;
    if (close && (!danger || monster->X < danger->X)) danger = monster;
    if (ahead > 0 && (!next || monster->X < next->X)) next = monster;
  }
  double gap = 0;
  if (danger) {
    // Away from it, unless the edge of the playfield is in the way.
    const bool above = centre < danger->Y + danger->Height / 2.0;
    const bool roomAbove = player->Y > kTopRoom;
    const bool roomBelow = player->Y + player->Height < kBottomRoom;
    const bool up = (above && roomAbove) || !roomBelow;
    gap = up ? -kSteerSlack * 2 : kSteerSlack * 2;
  } else if (next) {
    gap = next->Y + next->Height / 2.0 - centre;
  }
  if (gap < -kSteerSlack) HoldKey(vk::kUp, frame + 2, platform);
  if (gap > kSteerSlack) HoldKey(vk::kDown, frame + 2, platform);
}

// Fire is held for one to five seconds at a time, by Space, Ctrl or the mouse button.
void TMonkey::HoldFire(int64_t frame, platform::THeadlessPlatform& platform) {
  if (!Chance(10)) return;
  const int64_t until = frame + 85 + Below(340);
  switch (Below(3)) {
    case 0:
      HoldKey(vk::kSpace, until, platform);
      break;
    case 1:
      HoldKey(vk::kControl, until, platform);
      break;
    default:
      if (mouseReleaseFrame_ < 0) {
        platform.PressMouse();
        mouseReleaseFrame_ = until;
      }
      break;
  }
}

void TMonkey::TypeCharacter(platform::THeadlessPlatform& platform) {
  if (Chance(15)) {
    platform.KeyDown(vk::kBack);
    platform.KeyUp(vk::kBack);
    return;
  }
  // Printable ASCII or the Cyrillic letters of code page 1251.
  platform.TypeChar(Chance(50) ? 32 + Below(95) : 0xC0 + Below(64));
}

void TMonkey::UseBossKeyOrModeSwitch(platform::THeadlessPlatform& platform) {
  const int key = Chance(50) ? vk::kF1 + 8 : vk::kReturn;  // Alt+F9 or Alt+Enter
  if (heldKeys_.contains(vk::kMenu) || heldKeys_.contains(key)) return;
  platform.KeyDown(vk::kMenu);
  platform.KeyDown(key);
  platform.KeyUp(key);
  platform.KeyUp(vk::kMenu);
}

}  // namespace sim
