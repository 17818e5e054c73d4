#pragma once

#include <string>

#include "app/form.h"

namespace platform {
class TPlatform;
}

// Plays a replay in the real window, with its pictures, sounds and music, at the speed it was
// played: Space pauses, Right switches between four times faster and its own speed, Escape or
// the window's close button leaves. A file that cannot be played is told in the error box.
// The result is the process's exit status.
int WatchReplay(platform::TPlatform& window, const std::string& path, const TFormConfig& config);
