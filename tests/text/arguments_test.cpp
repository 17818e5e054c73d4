#include "text/arguments.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Digits and nothing else, within the range: the game's settings, the simulator's and the
// server's options all take their numbers so.
TEST(WholeNumber, DigitsOnlyAndWithinTheRange) {
  const struct {
    const char* given;
    std::optional<int64_t> read;
  } cases[] = {
      {"0", 0},
      {"100", 100},
      {"007", 7},
      {"101", {}},
      {"", {}},
      {"-0", {}},
      {"+1", {}},
      {" 1", {}},
      {"1 ", {}},
      {"1e3", {}},
      {"99999999999999999999", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(text::WholeNumber(c.given, 0, 100), c.read) << c.given;
  EXPECT_EQ(text::WholeNumber("9223372036854775807", 0, INT64_MAX), INT64_MAX);
}

TEST(WholeNumber, AnOptionSaysWhatItTakesAndWhatItWasGiven) {
  EXPECT_EQ(text::WholeArgument("--fps", "60", 1, 1000), 60);
  try {
    text::WholeArgument("--fps", "0", 1, 1000);
    FAIL() << "0 taken";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "--fps needs a whole number from 1 to 1000, not \"0\"");
  }
  const std::vector<std::string> args = {"--data", "here", "--seed"};
  size_t i = 0;
  EXPECT_EQ(text::OptionValue(args, i), "here");
  EXPECT_EQ(i, 1u);
  i = 2;
  EXPECT_THROW(text::OptionValue(args, i), std::invalid_argument);
}

}  // namespace
