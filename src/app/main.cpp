#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "app/command_line.h"
#include "app/launch_settings.h"
#include "app/program.h"
#include "app/replay_viewer.h"
#include "platform/data_location.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_platform.h"

namespace {

constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  TCommandLine line;
  try {
    line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "perolet: " << error.what() << '\n' << CommandLineUsage();
    return kExitUsage;
  }
  if (line.help) {
    std::cout << CommandLineUsage();
    return 0;
  }
  if (line.version) {
    std::cout << "perolet " << PEROLET_VERSION << '\n';
    return 0;
  }
  // Made absolute now: the program moves to its data folder below.
  if (line.replay) line.replay = platform::AbsolutePath(*line.replay);
  auto sdl = std::unique_ptr<platform::TSdlPlatform>();
  try {
    sdl = std::make_unique<platform::TSdlPlatform>();
  } catch (const std::exception& error) {
    std::cerr << "Перолёт: " << error.what() << std::endl;
    return 1;
  }
  platform::TSdlPlatform& window = *sdl;
  // The game runs in its data folder (a build, an unpacked folder or the installed share
  // folder), whatever the folder it was started from.
  TFormConfig config;
  config.fullScreen = line.fullScreen;
  const platform::TLocationFacts facts = platform::CurrentLocationFacts();
  const auto root = platform::FindDataRoot(facts);
  if (root) {
    platform::ChangeDirectory(*root);
    config.saveFolder = platform::SaveFolder(*root, facts);
    // A player's own controller layouts, beside the data.
    platform::TSdlControllers::LoadMappings("gamecontrollerdb.txt");
  }
  // The command line wins over the settings file for this run and leaves the file alone.
  const TLaunchSettings launch = LoadLaunchSettings(config.saveFolder, line, root.has_value());
  window.SetPresentation(launch.presentation);
  ApplyVolumes(window, launch);
  config.scoreUrl = launch.scoreServer;
  return line.replay ? WatchReplay(window, *line.replay, config) : RunProgram(window, config);
}
