// assetgen: draws, synthesises and composes everything under Data/.
//   assetgen --out DIR            writes DIR/Data/Res/*.dxg, Sounds.dxw, DIR/Data/Music/*.xm
//   assetgen --sheet FILE.png     a contact sheet of every image (with or without --out)
#include <iostream>
#include <string>

#include "asset_build.h"
#include "contact_sheet.h"

int main(int argc, char** argv) {
  std::string out, sheet;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--out" || arg == "--sheet") && i + 1 < argc) {
      (arg == "--out" ? out : sheet) = argv[++i];
    } else {
      std::cerr << "usage: assetgen [--out DIR] [--sheet FILE.png]\n";
      return 2;
    }
  }
  if (out.empty() && sheet.empty()) {
    std::cerr << "usage: assetgen [--out DIR] [--sheet FILE.png]\n";
    return 2;
  }
  try {
    assetgen::TGameData data;
    assetgen::BuildGameData(data);
    if (!out.empty()) assetgen::WriteGameData(data, out);
    if (!sheet.empty()) assetgen::WriteContactSheet({&data.res1, &data.res2}, sheet);
  } catch (const std::exception& e) {
    std::cerr << "assetgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
