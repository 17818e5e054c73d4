#pragma once

#include <functional>
#include <optional>
#include <string>

// Where the game's files are: the folder holding Data/Res and Data/Music (beside the
// executable, or the installed share/perolet), and the folder the save files go to.
namespace platform {

struct TLocationFacts {
  std::string executableDir;                         // absolute
  std::function<bool(const std::string&)> isDir;     // a folder exists there
  std::function<bool(const std::string&)> writable;  // files can be made in that folder
  std::optional<std::string> xdgDataHome;            // $XDG_DATA_HOME, when set
  std::optional<std::string> home;                   // $HOME, when set
};

// The folder to run in: the executable's own when it holds Data/Res (a build or an unpacked
// game), else the installed ../share/perolet; none when neither does.
std::optional<std::string> FindDataRoot(const TLocationFacts& facts);

// The save folder for a data root: Data/Save beside the data when that can be written (the
// portable layout), else $XDG_DATA_HOME/perolet/Save (an empty or relative value counts as
// unset; the default is ~/.local/share). Relative results are relative to the data root.
std::string SaveFolder(const std::string& dataRoot, const TLocationFacts& facts);

// The facts of this process and file system.
TLocationFacts CurrentLocationFacts();
// Makes the folder the working directory; false when it cannot.
bool ChangeDirectory(const std::string& folder);

}  // namespace platform
