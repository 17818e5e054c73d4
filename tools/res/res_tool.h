#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace res_tool {

constexpr int kExitOk = 0;
constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

// perolet-res with its arguments (without the program name): lists the items of an image or
// sound list, or extracts one of them. Errors go to err with the reader's message.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace res_tool
