#include <exception>
#include <iostream>
#include <memory>

#include "app/command_line.h"
#include "app/program.h"
#include "persist/score_links.h"
#include "platform/data_location.h"
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
  try {
    platform::SetPlatform(std::make_unique<platform::TSdlPlatform>());
  } catch (const std::exception& error) {
    std::cerr << "Перолёт: " << error.what() << std::endl;
    return 1;
  }
  // The game runs in its data folder (a build, an unpacked folder or the installed share
  // folder), whatever the folder it was started from.
  TFormConfig config;
  const platform::TLocationFacts facts = platform::CurrentLocationFacts();
  if (const auto root = platform::FindDataRoot(facts)) {
    platform::ChangeDirectory(*root);
    config.saveFolder = platform::SaveFolder(*root, facts);
    // A player's own controller layouts, beside the data.
    platform::TSdlControllers::LoadMappings("gamecontrollerdb.txt");
  }
  // The command line wins over the settings file for this run and leaves the file alone.
  config.scoreUrl =
      line.scoreServer ? *line.scoreServer : persist::LoadScoreServer(config.saveFolder);
  const int status = RunProgram(platform::Platform(), config);
  platform::SetPlatform(nullptr);
  return status;
}
