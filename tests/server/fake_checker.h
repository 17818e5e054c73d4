#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace test_support {

// A shell script in the test's folder standing in for perolet-verify: what it does with the
// replay and prints is the test's. Returns its path.
inline std::string FakeChecker(const TTempWorkDir& dir, const std::string& name,
                               const std::string& body) {
  dir.Write(name, "#!/bin/sh\n" + body + "\n");
  const auto path = dir.Path() / name;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path.string();
}

// The lines of a checker that played a replay to score, with name and country as hex.
inline std::string PlayedLines(const std::string& score, const std::string& name = "c2e0f1ff",
                               const std::string& country = "5255") {
  return "checker 1.5 ab12\nplayed\nscore " + score + "\nlevel 3\nframes 4000\nname " + name +
         "\ncountry " + country + "\nend\n";
}

}  // namespace test_support
