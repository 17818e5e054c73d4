#include "platform/sdl/sdl_keymap.h"

#include <gtest/gtest.h>

#include "platform/vk_codes.h"

namespace {

namespace vk = platform::vk;

struct TLayoutKey {
  SDL_Scancode position;
  SDL_Keycode printed;
  int code;
};

// A few keys of layouts whose letters stand elsewhere than on the standard one, with what
// each prints and the code the game must read from it.
TEST(SdlKeymap, LatinLettersFollowTheLayoutAndEveryOtherKeyItsPosition) {
  constexpr SDL_Keycode kCyrillicN = 0x43D;  // н, on the key where Y stands
  constexpr SDL_Keycode kCyrillicT = 0x442;  // т, on the key where N stands
  const TLayoutKey keys[] = {
      // German: Y and Z change places.
      {SDL_SCANCODE_Z, SDLK_y, 'Y'},
      {SDL_SCANCODE_Y, SDLK_z, 'Z'},
      {SDL_SCANCODE_N, SDLK_n, 'N'},
      // French: A and Q, W and Z change places, M stands right of L, the digits are shifted.
      {SDL_SCANCODE_Q, SDLK_a, 'A'},
      {SDL_SCANCODE_A, SDLK_q, 'Q'},
      {SDL_SCANCODE_SEMICOLON, SDLK_m, 'M'},
      {SDL_SCANCODE_1, SDLK_AMPERSAND, '1'},
      // Russian: no Latin letter printed, so the letters keep their positions.
      {SDL_SCANCODE_Y, kCyrillicN, 'Y'},
      {SDL_SCANCODE_N, kCyrillicT, 'N'},
      // Keys that are no letters whatever the layout.
      {SDL_SCANCODE_RETURN, SDLK_RETURN, vk::kReturn},
      {SDL_SCANCODE_F9, SDLK_F9, vk::kF1 + 8},
      {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, vk::kEscape},
      {SDL_SCANCODE_LALT, SDLK_LALT, vk::kMenu},
  };
  for (const TLayoutKey& key : keys) {
    EXPECT_EQ(platform::VkFromKey(key.position, key.printed), key.code)
        << SDL_GetScancodeName(key.position) << " printing " << key.printed;
  }
}

}  // namespace
