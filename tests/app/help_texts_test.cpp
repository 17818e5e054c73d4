#include "screens/help_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "objects/field_fixture.h"

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

using HelpPoints = TFieldFixture;

// The points beside each enemy on page 2 are what shooting it down brings: airplane, bird,
// dog and helicopter, then a hunter.
TEST_F(HelpPoints, EachEnemyScoresWhatItsLabelSays) {
  const auto& labels = HelpEnemyPoints();
  ASSERT_EQ(labels.size(), 5u);
  const auto scoredBy = [this](auto& enemy) {
    const int before = world.Score;
    enemy.Damage(enemy.HitPoints);
    return "+" + std::to_string(world.Score - before) + " Очков";
  };
  for (uint8_t kind = TMonster::kAirplane; kind <= TMonster::kHelicopter; ++kind)
    EXPECT_EQ(scoredBy(AddMonster(500, 200, kind)), labels[kind].text) << int{kind};
  EXPECT_EQ(scoredBy(*new TGroundGun(world, 0, 1, 400, 409, 6)), labels[4].text);
}

}  // namespace
