// perolet-verify: plays one replay from standard input with the game's own code, in a sandbox,
// and says what it came to; the records server runs one for each replay it is sent.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/replay_playback.h"
#include "persist/replay_file.h"
#include "platform/data_location.h"
#include "platform/headless/headless_platform.h"
#include "platform/sandbox.h"
#include "verify_replay.h"

namespace {

constexpr int kExitUsage = 2;
// The sandbox or the limits could not be set up: nothing was checked, and the replay is not
// to blame.
constexpr int kExitCannotCheck = 3;

constexpr const char* kUsage =
    "usage: perolet-verify [--data DIR] [--seconds N] [--megabytes N] < REPLAY\n"
    "       perolet-verify [--data DIR] --version\n";

struct TOptions {
  std::string dataDir;  // the folder holding Data/; the game's own when empty
  int seconds = 60;
  int megabytes = 1024;
  bool version = false;
  bool inside = false;  // started by the sandbox
};

int Whole(const std::string& option, const std::string& text, int least, int most) {
  size_t end = 0;
  const int value = std::stoi(text, &end);
  if (end != text.size() || value < least || value > most)
    throw std::invalid_argument(option + " must be " + std::to_string(least) + ".." +
                                std::to_string(most));
  return value;
}

TOptions ParseOptions(const std::vector<std::string>& args) {
  TOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--data") {
      options.dataDir = value();
    } else if (arg == "--seconds") {
      options.seconds = Whole(arg, value(), 1, 3600);
    } else if (arg == "--megabytes") {
      options.megabytes = Whole(arg, value(), 64, 65536);
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--inside") {
      options.inside = true;
    } else {
      throw std::invalid_argument("unknown argument " + arg);
    }
  }
  return options;
}

// A build under the address and leak sanitisers (the tests' second run) takes its runtime's
// options and suppression files into the sandbox, and its /proc, which that runtime reads; its
// shadow memory is beyond any address-space limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitised = true;
#else
constexpr bool kSanitised = false;
#endif

void KeepSanitiserOptions(platform::TSandbox& sandbox) {
  sandbox.withProc = true;
  for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    const char* value = std::getenv(name);
    if (value == nullptr) continue;
    sandbox.environment.emplace_back(name, value);
    const std::string options = value;
    const size_t at = options.find("suppressions=");
    if (at == std::string::npos) continue;
    const std::string file = options.substr(at + 13, options.find(':', at) - at - 13);
    sandbox.readOnlyFolders.push_back(std::filesystem::path(file).parent_path().string());
  }
}

// The sandbox sees the game's pictures, sounds and music and nothing else of its folder; a
// folder missing makes it fail to start, which the caller hears as "cannot check".
[[noreturn]] void EnterSandbox(const TOptions& options) {
  std::string root = options.dataDir;
  if (root.empty()) root = platform::FindDataRoot(platform::CurrentLocationFacts()).value_or(".");
  root = std::filesystem::absolute(root).lexically_normal().string();
  std::vector<std::string> folders = {root + "/Data/Res", root + "/Data/Music"};
  // The text is measured as the game measured it, with the same fonts (under /usr) found
  // through the same configuration.
  for (const char* fonts : {"/etc/fonts", "/var/cache/fontconfig"}) {
    if (std::filesystem::is_directory(fonts)) folders.push_back(fonts);
  }
  platform::TSandbox sandbox{.program = platform::ThisExecutable(),
                             .readOnlyFolders = folders,
                             .workingFolder = root,
                             .arguments = {"--inside", "--seconds", std::to_string(options.seconds),
                                           "--megabytes", std::to_string(options.megabytes)}};
  if (options.version) sandbox.arguments.push_back("--version");
  if (kSanitised) KeepSanitiserOptions(sandbox);
  std::string why;
  platform::ExecInSandbox(sandbox, why);
  std::cerr << "perolet-verify: " << why << '\n';
  std::exit(kExitCannotCheck);
}

std::vector<uint8_t> ReadStandardInput() {
  std::vector<uint8_t> bytes;
  uint8_t block[65536];
  size_t got = 0;
  // One byte past the bound is enough for the reader to refuse it.
  while (bytes.size() <= persist::kMostReplayFileBytes &&
         (got = std::fread(block, 1, sizeof block, stdin)) > 0)
    bytes.insert(bytes.end(), block, block + got);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "perolet-verify: " << error.what() << '\n' << kUsage;
    return kExitUsage;
  }
  if (!options.inside) EnterSandbox(options);
  std::string why;
  if (!platform::LimitThisProcess(options.seconds, kSanitised ? 0 : options.megabytes, why)) {
    std::cerr << "perolet-verify: " << why << '\n';
    return kExitCannotCheck;
  }
  platform::THeadlessPlatform headless;
  if (options.version) {
    std::cout << "perolet-verify " << PEROLET_VERSION << ' '
              << persist::HexOf(RulesFingerprintOfData()) << '\n';
  } else {
    verify::VerifyReplay(ReadStandardInput, headless, std::cout);
  }
  std::cout.flush();
  return std::cout ? 0 : 1;
}
