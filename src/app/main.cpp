#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "app/command_line.h"
#include "app/launch_settings.h"
#include "app/program.h"
#include "persist/score_links.h"
#include "persist/settings_file.h"
#include "platform/data_location.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_platform.h"

namespace {

constexpr int kExitUsage = 2;

// The settings file in the save folder gives the presentation; a file that was missing or had
// bad values is written back mended, so a player finds every line to change.
platform::TPresentation LoadPresentation(const std::string& saveFolder, const TCommandLine& line,
                                         bool canWrite) {
  persist::TSettingsFile settings = persist::LoadSettingsFile(saveFolder);
  const auto before = settings.Bytes();
  const platform::TPresentation presentation = ChoosePresentation(settings, line);
  if (canWrite && settings.Bytes() != before) persist::SaveSettingsFile(saveFolder, settings);
  return presentation;
}

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
  auto sdl = std::unique_ptr<platform::TSdlPlatform>();
  try {
    sdl = std::make_unique<platform::TSdlPlatform>();
  } catch (const std::exception& error) {
    std::cerr << "Перолёт: " << error.what() << std::endl;
    return 1;
  }
  platform::TSdlPlatform& window = *sdl;
  platform::SetPlatform(std::move(sdl));
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
  window.SetPresentation(LoadPresentation(config.saveFolder, line, root.has_value()));
  // The command line wins over the settings file for this run and leaves the file alone.
  config.scoreUrl =
      line.scoreServer ? *line.scoreServer : persist::LoadScoreServer(config.saveFolder);
  const int status = RunProgram(platform::Platform(), config);
  platform::SetPlatform(nullptr);
  return status;
}
