#pragma once

#include <algorithm>
#include <string>

namespace platform {

// The game names its files the Windows way ("Data\Res\Res1.dxg"), relative to the working
// directory; here the separators become slashes.
inline std::string NativePath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// A file's path in a folder.
inline std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

}  // namespace platform
