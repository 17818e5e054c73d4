#pragma once

#include <string>

#include "app/command_line.h"
#include "persist/settings_file.h"
#include "platform/platform.h"
#include "platform/presentation.h"

// How the picture is shown: the settings file's lines (a bad value is given its default in
// the file), with the command line's options over them for this run.
platform::TPresentation ChoosePresentation(persist::TSettingsFile& settings,
                                           const TCommandLine& line);

// What a start takes from the settings file in the save folder, read once: the presentation,
// the volumes and the score server, each with the command line over it. A file that was missing
// lines or had bad display values is written back mended (when `canWrite`), so a player finds every
// line to change.
struct TLaunchSettings {
  platform::TPresentation presentation;
  std::string scoreServer;
  int musicVolume = 100;  // percent
  int effectsVolume = 100;
};
TLaunchSettings LoadLaunchSettings(const std::string& saveFolder, const TCommandLine& line,
                                   bool canWrite);
// The music and the effects at the player's volumes (nothing without a sound device).
void ApplyVolumes(platform::TPlatform& platform, const TLaunchSettings& launch);
