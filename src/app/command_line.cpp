#include "app/command_line.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

const char* const kVersion = "0.1.0";

const char* const kUsage =
    "usage: perolet [--fullscreen | --window] [--scale sharp|integer|smooth]\n"
    "               [--window-scale auto|N] [--vsync on|off] [--renderer auto|gpu|surface]\n"
    "               [--help] [--version]\n"
    "  --fullscreen, --window  start full screen, or in a window (kept as the game's option)\n"
    "  --scale MODE            how full screen enlarges the picture: sharp (default: the\n"
    "                          whole height, every pixel a flat block), integer (whole\n"
    "                          factors only) or smooth (bilinear)\n"
    "  --window-scale N        the window is N times 800 x 600 (auto: 1, or the largest\n"
    "                          that fits on a high-density display)\n"
    "  --vsync on|off          wait for the display's refresh when showing a frame (GPU)\n"
    "  --renderer WHICH        auto (the GPU where it is hardware), gpu, or surface\n"
    "Each but --fullscreen and --window is also a line of the settings file beside the\n"
    "options file (scale=, window_scale=, vsync=, renderer=).\n";

namespace {

constexpr int kLargestWindowScale = 8;

template <typename T>
T Need(std::optional<T> value, const std::string& option, const std::string& given) {
  if (!value) throw std::invalid_argument("bad value for " + option + ": \"" + given + "\"");
  return *value;
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
  using TTakesValue = std::function<void(const std::string& option, const std::string& value)>;
  const std::vector<std::pair<const char*, TTakesValue>> withValue = {
      {"--scale", [&](auto& o, auto& v) { line.scale = Need(ScaleModeNamed(v), o, v); }},
      {"--window-scale",
       [&](auto& o, auto& v) { line.windowScale = Need(WindowScaleNamed(v), o, v); }},
      {"--vsync", [&](auto& o, auto& v) { line.vsync = Need(SwitchNamed(v), o, v); }},
      {"--renderer", [&](auto& o, auto& v) { line.renderer = Need(RendererNamed(v), o, v); }},
  };
  const std::vector<std::pair<const char*, std::function<void()>>> flags = {
      {"--fullscreen", [&] { line.fullScreen = true; }},
      {"--window", [&] { line.fullScreen = false; }},
      {"--help", [&] { line.help = true; }},
      {"--version", [&] { line.version = true; }},
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto flag = std::find_if(flags.begin(), flags.end(), [&](auto& f) { return arg == f.first; });
    if (flag != flags.end()) {
      flag->second();
      continue;
    }
    auto option =
        std::find_if(withValue.begin(), withValue.end(), [&](auto& o) { return arg == o.first; });
    if (option == withValue.end()) throw std::invalid_argument("unknown option \"" + arg + "\"");
    if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
    option->second(arg, args[++i]);
  }
  return line;
}
