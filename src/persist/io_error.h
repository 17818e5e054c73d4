#pragma once

#include <string>

namespace persist {

// The player's words for a failed file operation ("Disk full", "File access denied", or the
// system's reason), followed by the file's path so the player knows what to fix.
std::string IoFailureMessage(int error, const std::string& path);

}  // namespace persist
