#include "monkey.h"

#include "app/form.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"

namespace sim {

namespace {

namespace vk = platform::vk;

constexpr uint8_t kWindowQuitGame = 1;
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
  const bool quitQuestionOpen = form.WindowOpen == kWindowQuitGame;
  if (form.ScreenType == kScreenGame && !quitQuestionOpen) HoldFire(frame, platform);
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
  platform.MoveMouse(Below(kSurfaceWidth), Below(kSurfaceHeight));
  if (quitQuestionOpen || !Chance(30)) return;
  platform.PressMouse();
  mouseReleaseFrame_ = frame + 1 + Below(5);
  if (Chance(50)) platform.Click();
  if (Chance(10)) platform.DoubleClick();
}

// Fire is held for one to five seconds at a time, by Space, Ctrl or the mouse button.
void TMonkey::HoldFire(int64_t frame, platform::THeadlessPlatform& platform) {
  if (!Chance(3)) return;
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
