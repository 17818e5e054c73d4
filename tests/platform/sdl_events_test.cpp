#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/mixer.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/vk_codes.h"

namespace {

namespace vk = platform::vk;
using platform::TEvent;
using platform::TEventKind;

// The real platform on SDL's dummy video and audio drivers, fed key events as the window
// system would deliver them.
struct SdlEvents : ::testing::Test {
  std::unique_ptr<platform::TSdlPlatform> sdl;

  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    sdl = std::make_unique<platform::TSdlPlatform>();
    std::vector<TEvent> startUp;
    Drain(startUp);
  }
  void TearDown() override {
    sdl.reset();
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_AUDIODRIVER");
  }
  static void PushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
  }
  // A character split from its key event is pushed while the queue is read, and SDL hands
  // it out on the next round: two empty rounds end the queue.
  void Drain(std::vector<TEvent>& events) {
    TEvent event;
    for (int empty = 0; empty < 2;) {
      if (sdl->PollEvent(event)) {
        events.push_back(event);
        empty = 0;
      } else {
        ++empty;
      }
    }
  }
  std::vector<int> TypedCharacters() {
    std::vector<TEvent> events;
    Drain(events);
    std::vector<int> typed;
    for (const TEvent& event : events) {
      if (event.kind == TEventKind::Char) typed.push_back(event.key);
    }
    return typed;
  }
};

TEST_F(SdlEvents, EnterAndBackspaceTypeNothingWithAltOrCtrlHeld) {
  for (Uint16 modifiers : {KMOD_LALT, KMOD_RALT, KMOD_LCTRL, KMOD_RCTRL}) {
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, modifiers);
    PushKey(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, modifiers);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, modifiers);
    EXPECT_TRUE(TypedCharacters().empty()) << "modifiers " << modifiers;
  }
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LSHIFT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE);
  EXPECT_EQ(TypedCharacters(), (std::vector<int>{vk::kReturn, vk::kBack}));
}

TEST_F(SdlEvents, AltEnterArrivesAsAKeyWithAltInItsShiftSet) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
  std::vector<TEvent> events;
  Drain(events);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, TEventKind::KeyDown);
  EXPECT_EQ(events[0].key, vk::kReturn);
  EXPECT_EQ(events[0].shift, platform::kShiftAlt);
}

TEST_F(SdlEvents, LetterKeysReadTheLetterTheLayoutPrints) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_Z, SDLK_y, KMOD_NONE);  // the German Y key
  std::vector<TEvent> events;
  Drain(events);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].key, 'Y');
}

// The game in front keeps the screensaver away and its effects are heard. Behind another
// window, minimised or hidden by the boss key (at once, before the window manager minimises
// it) the screensaver may come and the effects fall silent; a manager that leaves the window
// in front hands both back at the player's next key. Another window's events change nothing.
TEST_F(SdlEvents, OnlyTheGameInFrontKeepsTheScreensaverAwayAndIsHeard) {
  ASSERT_TRUE(sdl->DisplayInitialize({}));
  Uint32 game = 1;
  while (game < 16 && !SDL_GetWindowFromID(game)) ++game;
  platform::TMixer* mixer = sdl->Mixer();
  ASSERT_NE(mixer, nullptr);
  mixer->Play(mixer->AddBuffer(std::vector<int16_t>(64, 5000)), true);
  const auto heard = [mixer] {
    std::vector<int16_t> out(16);
    mixer->Mix(out.data(), 8);
    return out[0] != 0;
  };
  const auto window = [](Uint32 id, Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = id;
    event.window.event = what;
    SDL_PushEvent(&event);
  };
  const struct {
    const char* what;
    std::function<void()> happen;
    bool screensaver, effects;
  } kSteps[] = {
      {"started", [] {}, true, false},
      {"focused", [&] { window(game, SDL_WINDOWEVENT_FOCUS_GAINED); }, false, true},
      {"another window", [&] { window(game + 1, SDL_WINDOWEVENT_FOCUS_LOST); }, false, true},
      {"behind", [&] { window(game, SDL_WINDOWEVENT_FOCUS_LOST); }, true, false},
      {"back", [&] { window(game, SDL_WINDOWEVENT_FOCUS_GAINED); }, false, true},
      {"minimised", [&] { window(game, SDL_WINDOWEVENT_MINIMIZED); }, true, false},
      {"restored", [&] { window(game, SDL_WINDOWEVENT_RESTORED); }, false, true},
      {"boss key", [&] { sdl->Minimize(); }, true, false},
      {"a key", [] { PushKey(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_NONE); }, false, true},
  };
  for (const auto& step : kSteps) {
    step.happen();
    std::vector<TEvent> events;
    Drain(events);
    EXPECT_EQ(SDL_IsScreenSaverEnabled() == SDL_TRUE, step.screensaver) << step.what;
    EXPECT_EQ(heard(), step.effects) << step.what;
  }
}

}  // namespace
