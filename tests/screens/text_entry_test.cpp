#include <gtest/gtest.h>

#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"
#include "screens/options_screen.h"
#include "support/screens.h"

namespace {

namespace vk = platform::vk;

constexpr uint8_t kSendScore = 9;
constexpr int kWidestName = 240;     // pixels in style 10
constexpr int kWidestCountry = 180;  // pixels in style 4

void Type(test_support::THeadlessFormFixture& fixture, const std::string& cp1251) {
  for (unsigned char c : cp1251) fixture.platform.TypeChar(c);
  fixture.Frame();
}

struct NameEntry : GameFixture {
  void SetUp() override {
    GameFixture::SetUp();
    form->Game.Score = 7777;
    form->PlayerName.clear();
    form->OpenWindow(kWindowNameEntry);
    Frame();
  }
};

TEST_F(NameEntry, TakesTwelveCharactersAtMost) {
  Type(*this, "abcdefghijklmn");
  EXPECT_EQ(form->PlayerName, "abcdefghijkl");
}

TEST_F(NameEntry, StopsOnceTheNameIsWiderThan240Pixels) {
  Type(*this, std::string(12, '\xD9'));  // Щ
  const std::string name = form->PlayerName;
  ASSERT_LT(name.size(), 12u) << "the width, not the count, must stop these";
  // Measured before each character: the last one accepted may end beyond the limit.
  EXPECT_LE(form->Text.TextWidthIn(name.substr(0, name.size() - 1), 10), kWidestName);
  EXPECT_GT(form->Text.TextWidthIn(name, 10), kWidestName);
  Type(*this, "\x08");
  EXPECT_EQ(form->PlayerName, name.substr(0, name.size() - 1)) << "Backspace still works";
}

TEST_F(NameEntry, AnEmptyNameIsAcceptedAndAClickConfirms) {
  platform.MoveMouse(700, 550);
  platform.Click();
  Frame();
  ASSERT_EQ(form->WindowOpen(), kSendScore);
  EXPECT_EQ(form->HighScores[1].Name, "");
  EXPECT_EQ(form->HighScores[1].Points, 7777);
}

TEST_F(NameEntry, TheNameIsKeptForTheNextEntryOfTheRun) {
  Type(*this, "Ace");
  platform.TypeChar(13);
  Frame();
  ASSERT_EQ(form->WindowOpen(), kSendScore);
  platform.KeyDown('N');
  Frame();
  platform.KeyUp('N');
  ASSERT_EQ(form->ScreenType(), kScreenHighScores);
  form->Screens().Replace(nullptr);
  form->Game.StartGame(form->Game.DrawGameSeed());
  CloseWindows();
  form->Game.Score = 8000;
  form->OpenWindow(kWindowNameEntry);
  Frame();
  EXPECT_EQ(form->PlayerName, "Ace");
  platform.TypeChar(13);
  Frame();
  EXPECT_EQ(form->HighScores[1].Name, "Ace");
  EXPECT_EQ(form->HighScores[1].Points, 8000);
}

struct CountryTyping : test_support::THeadlessFormFixture {
  void SetUp() override {
    THeadlessFormFixture::SetUp();
    test_support::ShowScreen<TOptionsScreen>(*form);
    form->Options.Country.clear();
    form->Screens().Activate(5);
    Frame();
    ASSERT_TRUE(test_support::CurrentScreen<TOptionsScreen>(*form)->CountryEdit());
  }
};

TEST_F(CountryTyping, RefusesPunctuationBelowTheDigitsAndTakesCyrillic) {
  std::string punctuation;
  for (int c = 33; c <= 47; ++c) punctuation += static_cast<char>(c);
  Type(*this, punctuation);
  EXPECT_EQ(form->Options.Country, "");
  Type(*this, "\xD0\xEE\xF1\xF1\xE8\xFF 0");  // "Россия 0"
  EXPECT_EQ(form->Options.Country, "\xD0\xEE\xF1\xF1\xE8\xFF 0");
}

TEST_F(CountryTyping, StopsOnceTheTextIsWiderThan180Pixels) {
  Type(*this, std::string(12, '\xD9'));
  const std::string country = form->Options.Country;
  ASSERT_LT(country.size(), 12u);
  EXPECT_LE(form->Text.TextWidthIn(country.substr(0, country.size() - 1), 4), kWidestCountry);
  EXPECT_GT(form->Text.TextWidthIn(country, 4), kWidestCountry);
}

}  // namespace
