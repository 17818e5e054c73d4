#pragma once

#include <cstdint>
#include <map>
#include <random>

class TMForm;
class TMenuButton;

namespace platform {
class THeadlessPlatform;
}

namespace sim {

// Seeded random input for long unattended runs: presses and releases of every key the game
// reads (the boss key and Alt+Enter among them), typed characters, mouse moves and clicks.
// It brings a minimised or unfocused game back, plays a running game (fire held for long
// stretches, the craft steered at the next enemy) so that games reach later levels and end,
// and never confirms leaving the program, so a run lasts all its frames.
class TMonkey {
 public:
  explicit TMonkey(uint32_t seed) : random_(seed) {}

  void BeforeFrame(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform);

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }

  void ReleaseDueKeys(int64_t frame, platform::THeadlessPlatform& platform);
  void HoldKey(int vk, int64_t untilFrame, platform::THeadlessPlatform& platform);
  void AnswerQuitQuestion(int64_t frame, platform::THeadlessPlatform& platform);
  void UseTheMenus(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform);
  void PressRandomKey(int64_t frame, platform::THeadlessPlatform& platform);
  void UseMouse(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform);
  const TMenuButton* SomeButton(const TMForm& form);
  void HoldFire(int64_t frame, platform::THeadlessPlatform& platform);
  void PlayGame(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform);
  void AnswerGameWindow(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform);
  void Steer(int64_t frame, const TMForm& form, platform::THeadlessPlatform& platform);
  void TypeCharacter(platform::THeadlessPlatform& platform);
  void UseBossKeyOrModeSwitch(platform::THeadlessPlatform& platform);

  std::mt19937 random_;
  std::map<int, int64_t> heldKeys_;  // key -> frame to release it
  int64_t mouseReleaseFrame_ = -1;
};

}  // namespace sim
