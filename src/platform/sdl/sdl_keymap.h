#pragma once

#include <SDL.h>

namespace platform {

// The virtual-key code of a physical key of the standard layout (the key's position, as a
// scan code, not the letter the current layout prints on it); 0 for keys the game has no
// code for.
int VkFromScancode(SDL_Scancode scancode);

// The virtual-key code of a key given what the keyboard layout prints on it: its letter when
// that is a Latin letter, else the code of its position.
int VkFromKey(SDL_Scancode scancode, SDL_Keycode layoutKey);
// The same under the layout in use.
int VkFromLayout(SDL_Scancode scancode);

}  // namespace platform
