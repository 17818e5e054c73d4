#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/presentation.h"

// What the game was told on its command line; each option, when given, holds over the
// settings file for this run. A new flag is one row in the table in command_line.cpp and a
// field here.
struct TCommandLine {
  bool help = false;
  bool version = false;
  std::optional<std::string> scoreServer;
  std::optional<bool> fullScreen;
  std::optional<platform::TScaleMode> scale;
  std::optional<int> windowScale;  // 0: from the display
  std::optional<bool> vsync;
  std::optional<platform::TRenderer> renderer;
  std::optional<int> musicVolume;  // percent
  std::optional<int> effectsVolume;
  // A replay to watch instead of playing (--replay FILE, or the file alone, as a file manager
  // passes it).
  std::optional<std::string> replay;
};

// "--flag value" and "--flag=value" both work. An unknown flag, a missing value or a bad one
// throws std::invalid_argument with a message for the player.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);
// The usage text, one line a flag, from the same table.
std::string CommandLineUsage();

// The values the settings file and the command line accept.
std::optional<platform::TScaleMode> ScaleModeNamed(const std::string& name);
std::optional<int> WindowScaleNamed(const std::string& name);  // "auto" or 1 to 8
std::optional<bool> SwitchNamed(const std::string& name);      // "on" or "off"
std::optional<int> VolumeNamed(const std::string& name);       // "0" to "100"
std::optional<platform::TRenderer> RendererNamed(const std::string& name);
