#include "app/command_line.h"

#include <stdexcept>

#include "persist/score_links.h"

namespace {

struct TFlag {
  const char* name;
  const char* valueName;  // nullptr for a flag without a value
  const char* help;
  void (*apply)(TCommandLine& line, const std::string& value);
};

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
    {"--score-server", "URL",
     "send results to and open the world records of this server (this run only)", ApplyScoreServer},
};

const TFlag* FindFlag(const std::string& name) {
  for (const TFlag& flag : kFlags)
    if (name == flag.name) return &flag;
  return nullptr;
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const auto equals = args[i].find('=');
    const std::string name = args[i].substr(0, equals);
    const TFlag* flag = FindFlag(name);
    if (!flag) throw std::invalid_argument("unknown option \"" + name + "\"");
    std::string value;
    if (!flag->valueName) {
      if (equals != std::string::npos) throw std::invalid_argument(name + " takes no value");
    } else if (equals != std::string::npos) {
      value = args[i].substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw std::invalid_argument(name + " needs a value");
    }
    flag->apply(line, value);
  }
  return line;
}

std::string CommandLineUsage() {
  std::string usage = "usage: perolet [options]\n";
  for (const TFlag& flag : kFlags) {
    std::string left = std::string("  ") + flag.name;
    if (flag.valueName) left += std::string(" ") + flag.valueName;
    left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
    usage += left + flag.help + "\n";
  }
  return usage;
}
