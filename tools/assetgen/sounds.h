#pragma once

#include "engine/wave_collection.h"

namespace assetgen {

// The sixteen effects of the game, synthesised, 16-bit mono at 22050 Hz.
void AddSounds(engine::TWaveCollection& list);

}  // namespace assetgen
