#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reading a command line (and the settings that share its values): the game, the simulator
// and the records server read their options through these.
namespace text {

// Decimal digits and nothing else (no sign, no blank), from minimum to maximum.
std::optional<int64_t> WholeNumber(const std::string& digits, int64_t minimum, int64_t maximum);

// A whole number given to an option; throws std::invalid_argument naming the option (or the
// word) it belongs to and the range it takes.
int64_t WholeArgument(const std::string& option, const std::string& given, int64_t minimum,
                      int64_t maximum);

// The value that follows the option args[i], moving i on to it; throws std::invalid_argument
// ("--flag needs a value") when the line ends there.
const std::string& OptionValue(const std::vector<std::string>& args, size_t& i);

}  // namespace text
