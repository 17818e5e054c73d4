// assetgen: draws, synthesises and composes everything under Data/.
//   assetgen --out DIR            writes DIR/Data/Res/*.dxg, Sounds.dxw, DIR/Data/Music/*.xm
//   assetgen --sheet FILE.png     a contact sheet of every image (with or without --out)
//   assetgen --icons DIR          the launcher's icons, DIR/hicolor/NxN/apps/io.perolet.Perolet.png
#include <iostream>
#include <string>

#include "app_icon.h"
#include "asset_build.h"
#include "contact_sheet.h"

int main(int argc, char** argv) {
  std::string out, sheet, icons;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--out" || arg == "--sheet" || arg == "--icons") && i + 1 < argc) {
      (arg == "--out" ? out : arg == "--sheet" ? sheet : icons) = argv[++i];
    } else {
      std::cerr << "usage: assetgen [--out DIR] [--sheet FILE.png] [--icons DIR]\n";
      return 2;
    }
  }
  if (out.empty() && sheet.empty() && icons.empty()) {
    std::cerr << "usage: assetgen [--out DIR] [--sheet FILE.png] [--icons DIR]\n";
    return 2;
  }
  try {
    assetgen::TGameData data;
    assetgen::BuildGameData(data);
    if (!out.empty()) assetgen::WriteGameData(data, out);
    if (!sheet.empty()) assetgen::WriteContactSheet({&data.res1, &data.res2}, sheet);
    if (!icons.empty()) assetgen::WriteIconTheme(icons, "io.perolet.Perolet");
  } catch (const std::exception& e) {
    std::cerr << "assetgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
