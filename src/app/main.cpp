#include <exception>
#include <iostream>
#include <memory>

#include "app/program.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  try {
    platform::SetPlatform(std::make_unique<platform::TSdlPlatform>());
  } catch (const std::exception& error) {
    std::cerr << "Перолёт: " << error.what() << std::endl;
    return 1;
  }
  const int status = RunProgram(platform::Platform());
  platform::SetPlatform(nullptr);
  return status;
}
