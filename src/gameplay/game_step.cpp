#include "app/form.h"

// The running game's frame; it moves the sprites, spawns and scores once the game objects
// exist.
void TMForm::GameStep(int) {}
