#pragma once

#include "app/form.h"

namespace platform {
class TPlatform;
}

// Runs the game on a platform until the player leaves: creates the main form, runs the
// message loop, and afterwards opens the "play.url" link when it exists. Errors that reach it
// are shown in the error box; the result is the process's exit status.
int RunProgram(platform::TPlatform& platform, const TFormConfig& config = {});
