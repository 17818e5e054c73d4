#include "screens/help_texts.h"

#include <gtest/gtest.h>

namespace {

// The help pages' lines keep their blanks at both ends, exactly as the pages show them.
TEST(HelpTexts, BodyLinesKeepTheirCountsAndTheirBlanks) {
  ASSERT_EQ(HelpBodyLines(1).size(), 9u);
  ASSERT_EQ(HelpBodyLines(4).size(), 6u);
  ASSERT_EQ(HelpBodyLines(5).size(), 8u);
  EXPECT_TRUE(HelpBodyLines(2).empty());
  EXPECT_TRUE(HelpBodyLines(1)[0].starts_with(" Бедные утки!"));
  EXPECT_TRUE(HelpBodyLines(1)[3].ends_with("коварных  "));
  EXPECT_EQ(HelpBodyLines(1)[7].back(), ' ');
  EXPECT_EQ(HelpBodyLines(5)[4], "\"Ctrl\", чтобы стрелять.");
  EXPECT_EQ(HelpBodyLines(5)[5], "Нажмите \"P\" или \"Pause\"? чтобы прервать или продолжить");
}

}  // namespace
