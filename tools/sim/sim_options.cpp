#include "sim_options.h"

#include <limits>
#include <stdexcept>

#include "text/arguments.h"

namespace sim {

const char* const kSimUsage =
    "usage: perolet-sim [--data DIR] [--frames N] [--fps F] [--seed S] [--input FILE]\n"
    "                   [--monkey S] [--trace FILE] [--shot F:FILE.png]... [--score-url URL]\n"
    "                   [--level N] [--crowd]\n"
    "       perolet-sim [--data DIR] --replay FILE [--trace FILE] [--draw]\n";

namespace {

constexpr int kMaxFps = 1000;
constexpr int kMaxLevel = 1000000;

TShotRequest ParseShot(const std::string& given) {
  const auto colon = given.find(':');
  if (colon == std::string::npos || colon + 1 >= given.size()) {
    throw std::invalid_argument("--shot needs F:FILE.png, not \"" + given + "\"");
  }
  constexpr auto kLastFrame = std::numeric_limits<int64_t>::max();
  return {text::WholeArgument("--shot", given.substr(0, colon), 0, kLastFrame),
          given.substr(colon + 1)};
}

}  // namespace

TSimOptions ParseSimOptions(const std::vector<std::string>& args) {
  TSimOptions options;
  constexpr auto kMaxU32 = std::numeric_limits<uint32_t>::max();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--crowd") {
      options.crowd = true;
      continue;
    }
    if (option == "--draw") {
      options.draw = true;
      continue;
    }
    if (option == "--help" || option == "-h") {
      options.help = true;
      continue;
    }
    const std::string& value = text::OptionValue(args, i);
    if (option == "--data") {
      options.dataDir = value;
    } else if (option == "--frames") {
      options.frames = text::WholeArgument(option, value, 0, std::numeric_limits<int32_t>::max());
    } else if (option == "--fps") {
      options.fps = static_cast<int>(text::WholeArgument(option, value, 1, kMaxFps));
    } else if (option == "--seed") {
      options.seed = static_cast<uint32_t>(text::WholeArgument(option, value, 0, kMaxU32));
    } else if (option == "--input") {
      options.inputFile = value;
    } else if (option == "--monkey") {
      options.monkeySeed = static_cast<uint32_t>(text::WholeArgument(option, value, 0, kMaxU32));
    } else if (option == "--trace") {
      options.traceFile = value;
    } else if (option == "--shot") {
      options.shots.push_back(ParseShot(value));
    } else if (option == "--score-url") {
      options.scoreUrl = value;
    } else if (option == "--replay") {
      options.replayFile = value;
    } else if (option == "--level") {
      options.firstLevel = static_cast<int>(text::WholeArgument(option, value, 1, kMaxLevel));
    } else {
      throw std::invalid_argument("unknown option \"" + option + "\"");
    }
  }
  return options;
}

}  // namespace sim
