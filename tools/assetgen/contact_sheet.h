#pragma once

#include <string>
#include <vector>

#include "engine/picture_collection.h"

namespace assetgen {

// One PNG showing every image of the lists with its name, its pattern grid and its
// transparent pixels as a checkerboard, for reviewing the art at a glance.
void WriteContactSheet(const std::vector<const engine::TPictureCollection*>& lists,
                       const std::string& path);

}  // namespace assetgen
