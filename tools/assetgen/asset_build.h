#pragma once

#include <string>

#include "engine/picture_collection.h"
#include "engine/wave_collection.h"
#include "xm_writer.h"

namespace assetgen {

// Everything the game reads from Data/, made in memory.
struct TGameData {
  engine::TPictureCollection res1;
  engine::TPictureCollection res2;
  engine::TWaveCollection sounds;
  xm::TModule menu;
  xm::TModule race;
};

void BuildGameData(TGameData& data);
// Writes Data/Res/Res1.dxg, Res2.dxg, Sounds.dxw and Data/Music/Menu.xm, Race.xm under root.
void WriteGameData(const TGameData& data, const std::string& root);

}  // namespace assetgen
