#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/presentation.h"

// The game's command line: each option, when given, overrides the settings file for this run.
struct TCommandLine {
  std::optional<bool> fullScreen;
  std::optional<platform::TScaleMode> scale;
  std::optional<int> windowScale;  // 0: from the display
  std::optional<bool> vsync;
  std::optional<platform::TRenderer> renderer;
  bool help = false;
  bool version = false;
};

extern const char* const kUsage;
extern const char* const kVersion;

// Raises std::invalid_argument naming the option for an unknown option or a bad value.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The values the settings file and the command line accept.
std::optional<platform::TScaleMode> ScaleModeNamed(const std::string& name);
std::optional<int> WindowScaleNamed(const std::string& name);  // "auto" or 1 to 8
std::optional<bool> SwitchNamed(const std::string& name);      // "on" or "off"
std::optional<platform::TRenderer> RendererNamed(const std::string& name);
