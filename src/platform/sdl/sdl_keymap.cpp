#include "platform/sdl/sdl_keymap.h"

#include "platform/vk_codes.h"

namespace platform {

namespace {

struct TKeyPair {
  SDL_Scancode scancode;
  int vk;
};

// Keys outside the letter, digit and function-key runs.
constexpr TKeyPair kOtherKeys[] = {
    {SDL_SCANCODE_RETURN, vk::kReturn},
    {SDL_SCANCODE_KP_ENTER, vk::kReturn},
    {SDL_SCANCODE_ESCAPE, vk::kEscape},
    {SDL_SCANCODE_BACKSPACE, vk::kBack},
    {SDL_SCANCODE_TAB, vk::kTab},
    {SDL_SCANCODE_SPACE, vk::kSpace},
    {SDL_SCANCODE_MINUS, vk::kOemMinus},
    {SDL_SCANCODE_EQUALS, vk::kOemPlus},
    {SDL_SCANCODE_LEFTBRACKET, vk::kOem4},
    {SDL_SCANCODE_RIGHTBRACKET, vk::kOem6},
    {SDL_SCANCODE_BACKSLASH, vk::kOem5},
    {SDL_SCANCODE_SEMICOLON, vk::kOem1},
    {SDL_SCANCODE_APOSTROPHE, vk::kOem7},
    {SDL_SCANCODE_GRAVE, vk::kOem3},
    {SDL_SCANCODE_COMMA, vk::kOemComma},
    {SDL_SCANCODE_PERIOD, vk::kOemPeriod},
    {SDL_SCANCODE_SLASH, vk::kOem2},
    {SDL_SCANCODE_CAPSLOCK, vk::kCapital},
    {SDL_SCANCODE_PRINTSCREEN, vk::kSnapshot},
    {SDL_SCANCODE_SCROLLLOCK, vk::kScroll},
    {SDL_SCANCODE_PAUSE, vk::kPause},
    {SDL_SCANCODE_INSERT, vk::kInsert},
    {SDL_SCANCODE_HOME, vk::kHome},
    {SDL_SCANCODE_PAGEUP, vk::kPrior},
    {SDL_SCANCODE_DELETE, vk::kDelete},
    {SDL_SCANCODE_END, vk::kEnd},
    {SDL_SCANCODE_PAGEDOWN, vk::kNext},
    {SDL_SCANCODE_RIGHT, vk::kRight},
    {SDL_SCANCODE_LEFT, vk::kLeft},
    {SDL_SCANCODE_DOWN, vk::kDown},
    {SDL_SCANCODE_UP, vk::kUp},
    {SDL_SCANCODE_NUMLOCKCLEAR, vk::kNumLock},
    {SDL_SCANCODE_KP_DIVIDE, vk::kDivide},
    {SDL_SCANCODE_KP_MULTIPLY, vk::kMultiply},
    {SDL_SCANCODE_KP_MINUS, vk::kSubtract},
    {SDL_SCANCODE_KP_PLUS, vk::kAdd},
    {SDL_SCANCODE_KP_PERIOD, vk::kDecimal},
    {SDL_SCANCODE_KP_0, vk::kNumpad0},
    {SDL_SCANCODE_APPLICATION, vk::kApps},
    {SDL_SCANCODE_LCTRL, vk::kControl},
    {SDL_SCANCODE_RCTRL, vk::kControl},
    {SDL_SCANCODE_LSHIFT, vk::kShift},
    {SDL_SCANCODE_RSHIFT, vk::kShift},
    {SDL_SCANCODE_LALT, vk::kMenu},
    {SDL_SCANCODE_RALT, vk::kMenu},
    {SDL_SCANCODE_LGUI, vk::kLWin},
    {SDL_SCANCODE_RGUI, vk::kRWin},
};

}  // namespace

int VkFromScancode(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return vk::kA + (scancode - SDL_SCANCODE_A);
  }
  // SDL orders the digit row 1..9, 0.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return vk::k0 + 1 + (scancode - SDL_SCANCODE_1);
  }
  if (scancode == SDL_SCANCODE_0) return vk::k0;
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return vk::kF1 + (scancode - SDL_SCANCODE_F1);
  }
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  }
  for (const TKeyPair& pair : kOtherKeys) {
    if (pair.scancode == scancode) return pair.vk;
  }
  return 0;
}

// A Windows letter code follows the layout, so the key that prints Y answers Yes on every
// Latin layout. Keys whose symbol is no Latin letter (Cyrillic letters, digits, punctuation)
// keep the code of their position, which is where a Cyrillic layout's letters have theirs.
int VkFromKey(SDL_Scancode scancode, SDL_Keycode layoutKey) {
  if (layoutKey >= SDLK_a && layoutKey <= SDLK_z) return vk::kA + (layoutKey - SDLK_a);
  return VkFromScancode(scancode);
}

int VkFromLayout(SDL_Scancode scancode) {
  return VkFromKey(scancode, SDL_GetKeyFromScancode(scancode));
}

}  // namespace platform
