// perolet-sim: runs the game headless on a scripted clock; see the README for its options.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "platform/headless/headless_platform.h"
#include "replay_check.h"
#include "sim_runner.h"

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

sim::TInputScript LoadScript(const std::string& path) {
  if (path.empty()) return {};
  std::ifstream in(path);
  if (!in) throw std::runtime_error("Cannot open input file \"" + path + "\"");
  return sim::TInputScript::Parse(in);
}

}  // namespace

int main(int argc, char** argv) {
  sim::TSimOptions options;
  sim::TInputScript script;
  std::ofstream traceFile;
  try {
    options = sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
      std::cout << sim::kSimUsage;
      return 0;
    }
    script = LoadScript(options.inputFile);
    if (!options.traceFile.empty()) {
      traceFile.open(options.traceFile, std::ios::binary | std::ios::trunc);
      if (!traceFile)
        throw std::runtime_error("Cannot create trace file \"" + options.traceFile + "\"");
    }
    std::filesystem::current_path(options.dataDir);
  } catch (const std::exception& error) {
    std::cerr << "perolet-sim: " << error.what() << '\n' << sim::kSimUsage;
    return kExitUsage;
  }

  platform::THeadlessPlatform headless(options.fps);
  if (!options.replayFile.empty())
    return sim::CheckReplay(options, headless, traceFile.is_open() ? &traceFile : nullptr,
                            std::cout);
  int status = 0;
  try {
    sim::TSimRunner runner(options, headless, std::move(script),
                           traceFile.is_open() ? &traceFile : nullptr);
    std::cout << sim::SummaryLine(runner.Run()) << std::endl;
  } catch (const std::exception& error) {
    std::cerr << error.what() << std::endl;
    status = kExitError;
  }
  return status;
}
