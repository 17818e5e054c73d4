#include "asset_build.h"

#include <filesystem>

#include "app_icon.h"
#include "engine/resource_file.h"
#include "lists.h"
#include "music.h"
#include "sounds.h"

namespace assetgen {

void BuildGameData(TGameData& data) {
  AddMenuImages(data.res1);
  AddHelpImages(data.res1);
  AddAppIconImage(data.res1);
  AddWorldImages(data.res2);
  AddCastImages(data.res2);
  AddItemImages(data.res2);
  AddHudImages(data.res2);
  AddSounds(data.sounds);
  data.menu = MenuModule();
  data.race = RaceModule();
}

void WriteGameData(const TGameData& data, const std::string& root) {
  const std::filesystem::path res = std::filesystem::path(root) / "Data" / "Res";
  const std::filesystem::path music = std::filesystem::path(root) / "Data" / "Music";
  std::filesystem::create_directories(res);
  std::filesystem::create_directories(music);
  data.res1.SaveToFile((res / "Res1.dxg").string());
  data.res2.SaveToFile((res / "Res2.dxg").string());
  data.sounds.SaveToFile((res / "Sounds.dxw").string());
  engine::WriteResourceFile((music / "Menu.xm").string(), xm::Write(data.menu));
  engine::WriteResourceFile((music / "Race.xm").string(), xm::Write(data.race));
}

}  // namespace assetgen
