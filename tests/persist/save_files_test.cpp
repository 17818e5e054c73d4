#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_error.h"
#include "persist/high_scores.h"
#include "persist/options_file.h"
#include "platform/headless/headless_platform.h"
#include "text/cp1251.h"

namespace {

using persist::THighScoreTable;

std::string Text(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

struct TSettings {
  persist::TGameOptions options;
  uint8_t shift = 0;
  uint16_t key = 0;
  std::string check;
  persist::TSettingsRef Ref() { return {options, shift, key, check}; }
};

TEST(OptionsFile, TheDefaultsAreWindowMusicSoundsAltF9AndNoCountry) {
  TSettings s;
  s.check = "kept";
  persist::DefaultOptions(s.Ref());
  EXPECT_FALSE(s.options.FullScreen);
  EXPECT_TRUE(s.options.Music);
  EXPECT_TRUE(s.options.Sounds);
  EXPECT_EQ(s.shift, platform::kShiftAlt);
  EXPECT_EQ(s.key, 120);
  EXPECT_EQ(s.options.Country, "_______");
  EXPECT_EQ(s.check, "kept");
}

TEST(OptionsFile, WritesSevenCrLfLinesAndReadsThemBack) {
  TSettings s;
  s.options = {true, false, true, text::Cp1251FromUtf8("Россия")};
  s.shift = platform::kShiftCtrl;
  s.key = 123;  // F12
  const auto bytes = persist::OptionsFileBytes(s.Ref(), "sum");
  EXPECT_EQ(Text(bytes), "1\r\n0\r\n1\r\n\xD0\xEE\xF1\xF1\xE8\xFF\r\n2\r\n12\r\nsum\r\n");
  TSettings back;
  persist::ReadOptions(back.Ref(), bytes);
  EXPECT_TRUE(back.options.FullScreen);
  EXPECT_FALSE(back.options.Music);
  EXPECT_EQ(back.options.Country, s.options.Country);
  EXPECT_EQ(back.shift, platform::kShiftCtrl);
  EXPECT_EQ(back.key, 123);
  EXPECT_EQ(back.check, "sum");
  // An unfinished capture (no modifier, no key) is saved as 0 and 0, and reads back as no boss
  // key over the one the settings held.
  s.shift = 0;
  s.key = 0;
  const std::string none = Text(persist::OptionsFileBytes(s.Ref(), ""));
  EXPECT_EQ(none.substr(none.size() - 8), "0\r\n0\r\n\r\n");
  TSettings noKey;
  persist::DefaultOptions(noKey.Ref());  // Alt+F9
  persist::ReadOptions(noKey.Ref(), Bytes(none));
  EXPECT_EQ(noKey.shift, 0);
  EXPECT_EQ(noKey.key, 0);
}

TEST(OptionsFile, OddValuesReadAsTheGameAlwaysReadThem) {
  // Full screen "2", an empty country, modifier 7 and key 13 out of range, no checksum line.
  TSettings s;
  persist::ReadOptions(s.Ref(), Bytes("2\r\n 1\r\n0\r\n\r\n7\r\n13\r\n"));
  EXPECT_TRUE(s.options.FullScreen);
  EXPECT_TRUE(s.options.Music);
  EXPECT_EQ(s.options.Country, "");
  EXPECT_EQ(s.shift, 0);  // left as it was, not the default Alt
  EXPECT_EQ(s.key, 0);
  EXPECT_EQ(s.check, "");
  EXPECT_EQ(Text(persist::OptionsFileBytes(s.Ref(), "")).substr(0, 3), "1\r\n");
  // A short file leaves what it does not give at zero; a word where a number belongs fails.
  TSettings partial;
  persist::ReadOptions(partial.Ref(), Bytes("1\r\n"));
  EXPECT_TRUE(partial.options.FullScreen);
  EXPECT_FALSE(partial.options.Music);
  TSettings bad;
  try {
    persist::ReadOptions(bad.Ref(), Bytes("1\r\nyes\r\n"));
    FAIL();
  } catch (const engine::EInOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
  EXPECT_TRUE(bad.options.FullScreen);  // what was read before stays
}

TEST(HighScores, DefaultsQualifyingAndInsertion) {
  THighScoreTable t;
  persist::DefaultHighScores(t);
  EXPECT_EQ(t[1].Name, text::Cp1251FromUtf8("Гоша"));
  EXPECT_EQ(t[1].Points, 5000);
  EXPECT_EQ(t[10].Points, 500);
  EXPECT_FALSE(persist::ScoreQualifies(t, 500));
  EXPECT_TRUE(persist::ScoreQualifies(t, 501));
  t[11] = {"new", 501};
  persist::InsertHighScore(t);
  EXPECT_EQ(t[10].Name, "new");
  EXPECT_EQ(t[11].Points, 500);  // dropped out
  t[11] = {"tie", 3000};
  persist::InsertHighScore(t);
  EXPECT_EQ(t[5].Points, 3000);
  EXPECT_NE(t[5].Name, "tie");  // the existing 3000 stays first
  EXPECT_EQ(t[6].Name, "tie");
}

TEST(HighScores, ChecksumMixesNamesAndDigitsIntoTheLongestNamesLength) {
  THighScoreTable t;
  EXPECT_EQ(persist::HighScoreChecksum(t), "");
  t[1] = {"ab", 7};
  // S = two blanks; 'a' and 'b' mixed in: 161, 162; "7": 248; then nine "0"s on position 1:
  // 248 → 104 → 184 → 40 → 120 → 200 → 56 → 136 → 216 → 72.
  EXPECT_EQ(persist::HighScoreChecksum(t), std::string("\x48\xA2"));
  // Names of four characters: a score's fifth digit falls beyond them and is skipped, so
  // 12345 sums as 1234 does; a fourth digit still counts.
  t[2] = {"wxyz", 12345};
  const std::string fiveDigits = persist::HighScoreChecksum(t);
  EXPECT_EQ(fiveDigits.size(), 4u);
  t[2].Points = 1234;
  EXPECT_EQ(persist::HighScoreChecksum(t), fiveDigits);
  t[2].Points = 1235;
  EXPECT_NE(persist::HighScoreChecksum(t), fiveDigits);
  t[2].Points = 12345;
  EXPECT_EQ(persist::MixChar('\xFF', '\xFF'), static_cast<char>(510 % 224 + 32));
  t[11] = {"longer name", 99999};
  EXPECT_EQ(persist::HighScoreChecksum(t).size(), 4u);  // entry 11 is never part of it
}

TEST(HighScores, FileHasTwentyLinesAndShortOrBadFilesReadAsTheyAlwaysDid) {
  THighScoreTable t;
  persist::DefaultHighScores(t);
  t[10] = {"", -5};
  const auto bytes = persist::HighScoreFileBytes(t);
  const std::string text = Text(bytes);
  EXPECT_EQ(text.substr(0, 12), "\xC3\xEE\xF8\xE0\r\n5000\r\n");
  EXPECT_EQ(text.substr(text.size() - 6), "\r\n-5\r\n");
  THighScoreTable back;
  persist::ReadHighScores(back, bytes);
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(back[i].Name, t[i].Name);
    EXPECT_EQ(back[i].Points, t[i].Points);
  }
  THighScoreTable partial;
  persist::ReadHighScores(partial, Bytes("Ann\r\n10\r\n"));
  EXPECT_EQ(partial[1].Name, "Ann");
  EXPECT_EQ(partial[2].Name, "");
  EXPECT_EQ(partial[2].Points, 0);
  THighScoreTable bad;
  EXPECT_THROW(persist::ReadHighScores(bad, Bytes("Ann\r\n10\r\nBob\r\nlots\r\n")),
               engine::EInOutError);
  EXPECT_EQ(bad[1].Points, 10);
}

}  // namespace
