#pragma once

#include <cstdint>
#include <vector>

#include "xm_writer.h"

// The two modules of the game, composed here: a calm one for the menus and a driving one
// for the race. Each runs over a minute before it repeats.
namespace assetgen {

xm::TModule MenuModule();
xm::TModule RaceModule();

}  // namespace assetgen
