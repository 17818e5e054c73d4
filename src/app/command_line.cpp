#include "app/command_line.h"

#include <algorithm>
#include <stdexcept>

#include "persist/score_links.h"
#include "text/arguments.h"

namespace {

constexpr int kLargestWindowScale = 8;

struct TFlag {
  const char* name;
  const char* valueName;  // nullptr for a flag without a value
  const char* help;
  void (*apply)(TCommandLine& line, const std::string& value);
};

template <typename T>
T Need(std::optional<T> value, const char* flag, const std::string& given) {
  if (!value)
    throw std::invalid_argument(std::string("bad value for ") + flag + ": \"" + given + "\"");
  return *value;
}

void ApplyScoreServer(TCommandLine& line, const std::string& value) {
  if (!persist::IsScoreServerAddress(value))
    throw std::invalid_argument("--score-server needs an address like http://host:port, not \"" +
                                value + "\"");
  line.scoreServer = value.ends_with('/') ? value.substr(0, value.size() - 1) : value;
}

constexpr TFlag kFlags[] = {
    {"--help", nullptr, "show this text and quit",
     [](TCommandLine& line, const std::string&) { line.help = true; }},
    {"--version", nullptr, "show the version and quit",
     [](TCommandLine& line, const std::string&) { line.version = true; }},
    {"--fullscreen", nullptr, "start full screen (kept as the game's option)",
     [](TCommandLine& line, const std::string&) { line.fullScreen = true; }},
    {"--window", nullptr, "start in a window (kept as the game's option)",
     [](TCommandLine& line, const std::string&) { line.fullScreen = false; }},
    {"--scale", "sharp|integer|smooth",
     "full screen: every pixel a flat block (sharp), whole factors only, or bilinear",
     [](TCommandLine& line, const std::string& v) {
       line.scale = Need(ScaleModeNamed(v), "--scale", v);
     }},
    {"--window-scale", "auto|N",
     "the window is N times 800 x 600, less where the desktop has no room (auto: from the "
     "display)",
     [](TCommandLine& line, const std::string& v) {
       line.windowScale = Need(WindowScaleNamed(v), "--window-scale", v);
     }},
    {"--vsync", "on|off", "wait for the display's refresh when the GPU shows a frame",
     [](TCommandLine& line, const std::string& v) {
       line.vsync = Need(SwitchNamed(v), "--vsync", v);
     }},
    {"--renderer", "auto|gpu|surface", "the GPU where it is hardware (auto), always, or never",
     [](TCommandLine& line, const std::string& v) {
       line.renderer = Need(RendererNamed(v), "--renderer", v);
     }},
    {"--music-volume", "0-100", "the music's loudness in percent",
     [](TCommandLine& line, const std::string& v) {
       line.musicVolume = Need(VolumeNamed(v), "--music-volume", v);
     }},
    {"--effects-volume", "0-100", "the sound effects' loudness in percent",
     [](TCommandLine& line, const std::string& v) {
       line.effectsVolume = Need(VolumeNamed(v), "--effects-volume", v);
     }},
    {"--score-server", "URL",
     "send results to and open the world records of this server (this run only)", ApplyScoreServer},
    {"--replay", "FILE", "watch a recorded game (Space pauses, Right plays 4x, Escape leaves)",
     [](TCommandLine& line, const std::string& v) { line.replay = v; }},
};

bool IsReplayFileName(const std::string& arg) {
  return !arg.starts_with("-") && arg.ends_with(".perolet-replay");
}

const TFlag* FindFlag(const std::string& name) {
  for (const TFlag& flag : kFlags)
    if (name == flag.name) return &flag;
  return nullptr;
}

}  // namespace

std::optional<platform::TScaleMode> ScaleModeNamed(const std::string& name) {
  if (name == "sharp") return platform::TScaleMode::Sharp;
  if (name == "integer") return platform::TScaleMode::Integer;
  if (name == "smooth") return platform::TScaleMode::Smooth;
  return std::nullopt;
}

std::optional<int> WindowScaleNamed(const std::string& name) {
  if (name == "auto") return 0;
  if (name.size() == 1 && name[0] >= '1' && name[0] <= '0' + kLargestWindowScale)
    return name[0] - '0';
  return std::nullopt;
}

// Three digits at most, as the settings file is written.
std::optional<int> VolumeNamed(const std::string& name) {
  constexpr int kLoudest = 100;
  constexpr size_t kLongest = 3;
  if (name.size() > kLongest) return std::nullopt;
  const auto percent = text::WholeNumber(name, 0, kLoudest);
  if (!percent) return std::nullopt;
  return static_cast<int>(*percent);
}

std::optional<bool> SwitchNamed(const std::string& name) {
  if (name == "on") return true;
  if (name == "off") return false;
  return std::nullopt;
}

std::optional<platform::TRenderer> RendererNamed(const std::string& name) {
  if (name == "auto") return platform::TRenderer::Auto;
  if (name == "gpu") return platform::TRenderer::Gpu;
  if (name == "surface") return platform::TRenderer::Surface;
  return std::nullopt;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const auto equals = args[i].find('=');
    const std::string name = args[i].substr(0, equals);
    if (IsReplayFileName(args[i]) && !line.replay) {
      line.replay = args[i];
      continue;
    }
    const TFlag* flag = FindFlag(name);
    if (!flag) throw std::invalid_argument("unknown option \"" + name + "\"");
    std::string value;
    if (!flag->valueName) {
      if (equals != std::string::npos) throw std::invalid_argument(name + " takes no value");
    } else if (equals != std::string::npos) {
      value = args[i].substr(equals + 1);
    } else {
      value = text::OptionValue(args, i);
    }
    flag->apply(line, value);
  }
  return line;
}

std::string CommandLineUsage() {
  std::string usage = "usage: perolet [options] [FILE.perolet-replay]\n";
  for (const TFlag& flag : kFlags) {
    std::string left = std::string("  ") + flag.name;
    if (flag.valueName) left += std::string(" ") + flag.valueName;
    left.resize(std::max<size_t>(left.size() + 2, 32), ' ');
    usage += left + flag.help + "\n";
  }
  usage +=
      "The display, volume and server options are also lines of the settings file beside the\n"
      "options file (scale=, window_scale=, vsync=, renderer=, music_volume=, effects_volume=,\n"
      "score_server=); the command line wins for this run only.\n";
  return usage;
}
