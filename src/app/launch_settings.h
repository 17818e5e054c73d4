#pragma once

#include "app/command_line.h"
#include "persist/settings_file.h"
#include "platform/presentation.h"

// How the picture is shown: the settings file's lines (a bad value is given its default in
// the file), with the command line's options over them for this run.
platform::TPresentation ChoosePresentation(persist::TSettingsFile& settings,
                                           const TCommandLine& line);
