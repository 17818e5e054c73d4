#pragma once

// Ends a sprite the game keeps a pointer to (the engine frees it after the frame's screen
// step) and forgets the pointer, so nothing reaches the sprite once it is gone.
template <typename TSpriteClass>
void KillAndForget(TSpriteClass*& sprite) {
  if (!sprite) return;
  sprite->KillOnce();
  sprite = nullptr;
}
