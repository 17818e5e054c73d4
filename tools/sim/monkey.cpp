#include "monkey.h"

#include <cmath>

#include "app/form.h"
#include "objects/menu_button.h"
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
// Keys the game reads, by their logical states or by key messages. Not Y: in the frame in
// which a click or a close request opens the question to quit, Y would answer it. The question
// to leave a game gets its Y from AnswerGameWindow.
constexpr int kGameKeys[] = {vk::kUp, vk::kDown,   vk::kLeft,    vk::kRight,  'P',
                             'N',     vk::kEscape, vk::kSpace,   vk::kReturn, 'Z',
                             'X',     'C',         'V',          'B',         '1',
                             '5',     '0',         vk::kControl, vk::kShift,  vk::kF1 + 4};
// The question to quit is only ever answered No: by N or Escape, which answer No whatever is
// selected (the arrows may have moved the selection to Yes, and Space or Enter would choose it).
constexpr int kQuitAnswers[] = {'N', vk::kEscape};
// What the monkey does outside a game in a frame: at most one thing, drawn out of 10000, so
// that nothing it does after opening the question to quit (a key, a click) can answer it in the
// same frame.
constexpr int kPressKeyOdds = 800;
constexpr int kUseMouseOdds = 600;
constexpr int kTypeOdds = 200;
constexpr int kBossKeyOdds = 100;
constexpr int kLoseFocusOdds = 5;
constexpr int kCloseOdds = 5;

}  // namespace

void TMonkey::BeforeFrame(int64_t frame, const TMForm& form,
                          platform::THeadlessPlatform& platform) {
  ReleaseDueKeys(frame, platform);
  if (!platform.AppActive()) {
    if (Chance(10)) platform.SetFocus(true);
    return;
  }
  if (form.ScreenType() == kScreenGame && form.WindowOpen() == 0) {
    PlayGame(frame, form, platform);
    return;
  }
  if (form.WindowOpen() == kWindowPause || form.WindowOpen() == kWindowQuitToMenu) {
    AnswerGameWindow(frame, form, platform);
    return;
  }
  if (form.WindowOpen() == kWindowQuitGame) {
    AnswerQuitQuestion(frame, platform);
    return;
  }
  UseTheMenus(frame, form, platform);
}

// Never Yes: a monkey run lasts all its frames.
void TMonkey::AnswerQuitQuestion(int64_t frame, platform::THeadlessPlatform& platform) {
  if (!Chance(8)) return;
  // Drawn one by one, the hold before the key: every compiler draws the same numbers.
  const int64_t until = frame + 1 + Below(20);
  const int key = kQuitAnswers[Below(std::size(kQuitAnswers))];
  HoldKey(key, until, platform);
}

void TMonkey::UseTheMenus(int64_t frame, const TMForm& form,
                          platform::THeadlessPlatform& platform) {
  int odds = Below(10000);
  if ((odds -= kPressKeyOdds) < 0) {
    PressRandomKey(frame, platform);
  } else if ((odds -= kUseMouseOdds) < 0) {
    UseMouse(frame, form, platform);
  } else if ((odds -= kTypeOdds) < 0) {
    TypeCharacter(platform);
  } else if ((odds -= kBossKeyOdds) < 0) {
    UseBossKeyOrModeSwitch(platform);
  } else if ((odds -= kLoseFocusOdds) < 0) {
    platform.SetFocus(false);
  } else if ((odds -= kCloseOdds) < 0) {
    platform.RequestClose();
  }
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

void TMonkey::PressRandomKey(int64_t frame, platform::THeadlessPlatform& platform) {
  const int64_t until = frame + 1 + Below(20);
  const int key = kGameKeys[Below(std::size(kGameKeys))];
  HoldKey(key, until, platform);
}

// Half the time the pointer goes to the middle of one of the screen's buttons, since a click
// beside them does nothing; otherwise anywhere.
void TMonkey::UseMouse(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform) {
  const TMenuButton* button = Chance(50) ? SomeButton(form) : nullptr;
  if (button) {
    platform.MoveMouse(static_cast<int>(button->X + button->Width / 2.0),
                       static_cast<int>(button->Y + button->Height / 2.0));
  } else {
    // Drawn one by one: the order in which a call's arguments are worked out is the
    // compiler's choice, and every build must draw the same numbers for the same things.
    const int y = Below(kSurfaceHeight);
    const int x = Below(kSurfaceWidth);
    platform.MoveMouse(x, y);
  }
  if (!Chance(30)) return;
  platform.PressMouse();
  mouseReleaseFrame_ = frame + 1 + Below(5);
  if (Chance(50)) platform.Click();
  if (Chance(10)) platform.DoubleClick();
}

// One of the buttons the screen or window shows; none when it has none.
const TMenuButton* TMonkey::SomeButton(const TMForm& form) {
  const TMenuList* menu = form.Screens().ActiveMenu();
  if (!menu || menu->Last < menu->First) return nullptr;
  return menu->Buttons[menu->First + Below(menu->Last - menu->First + 1)];
}

// In a running game it plays: fire held most of the time, the craft steered to the height
// of the next enemy, and now and then any other key, the mouse, the boss key or Alt+Enter.
void TMonkey::PlayGame(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform) {
  HoldFire(frame, platform);
  Steer(frame, form, platform);
  if (Chance(2)) PressRandomKey(frame, platform);
  if (Chance(1)) UseMouse(frame, form, platform);
  if (Chance(1) && Chance(10)) UseBossKeyOrModeSwitch(platform);
  if (Chance(1) && Chance(20)) platform.SetFocus(false);
}

// The pause is ended soon; the question to leave the game is mostly answered No.
void TMonkey::AnswerGameWindow(int64_t frame, const TMForm& form,
                               platform::THeadlessPlatform& platform) {
  if (!Chance(4)) return;
  int key = 'P';
  if (form.WindowOpen() == kWindowQuitToMenu) key = Chance(95) ? 'N' : 'Y';
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
