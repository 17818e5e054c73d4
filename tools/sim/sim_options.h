#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct TShotRequest {
  int64_t frame = 0;
  std::string path;
};

struct TSimOptions {
  std::string dataDir = ".";
  int64_t frames = 600;
  int fps = 85;
  uint32_t seed = 1;
  std::string inputFile;
  std::optional<uint32_t> monkeySeed;
  std::string traceFile;
  std::vector<TShotRequest> shots;
  std::string scoreUrl;
  int firstLevel = 1;      // where every new game of the run starts
  bool crowd = false;      // keep every slot table full while a game runs
  bool help = false;       // print the usage and run nothing
  std::string replayFile;  // play this replay back instead of running a script
  bool draw = false;       // draw each frame of a replay played back (it changes nothing)
};

// Parses the command line; throws std::invalid_argument with a message for the user.
TSimOptions ParseSimOptions(const std::vector<std::string>& args);

extern const char* const kSimUsage;

}  // namespace sim
