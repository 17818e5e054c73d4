#include "text/arguments.h"

#include <charconv>
#include <stdexcept>

namespace text {

std::optional<int64_t> WholeNumber(const std::string& digits, int64_t minimum, int64_t maximum) {
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  int64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (error != std::errc() || stop != end || value < minimum || value > maximum)
    return std::nullopt;
  return value;
}

int64_t WholeArgument(const std::string& option, const std::string& given, int64_t minimum,
                      int64_t maximum) {
  if (const auto value = WholeNumber(given, minimum, maximum)) return *value;
  throw std::invalid_argument(option + " needs a whole number from " + std::to_string(minimum) +
                              " to " + std::to_string(maximum) + ", not \"" + given + "\"");
}

const std::string& OptionValue(const std::vector<std::string>& args, size_t& i) {
  if (i + 1 >= args.size()) throw std::invalid_argument(args[i] + " needs a value");
  return args[++i];
}

}  // namespace text
