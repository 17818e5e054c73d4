#pragma once

#include <optional>
#include <string>
#include <vector>

// What the game was told on its command line. A new flag is one row in the table in
// command_line.cpp and a field here.
struct TCommandLine {
  bool help = false;
  bool version = false;
  std::optional<std::string> scoreServer;
};

// "--flag value" and "--flag=value" both work. An unknown flag, a missing value or a bad one
// throws std::invalid_argument with a message for the player.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);
// The usage text, one line a flag, from the same table.
std::string CommandLineUsage();
