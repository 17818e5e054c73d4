#include <exception>
#include <iostream>
#include <memory>

#include "app/program.h"
#include "platform/data_location.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_platform.h"

int main() {
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
  const int status = RunProgram(platform::Platform(), config);
  platform::SetPlatform(nullptr);
  return status;
}
