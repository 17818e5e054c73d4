#include "persist/high_scores.h"

#include <algorithm>
#include <utility>

#include "persist/text_reader.h"
#include "text/cp1251.h"

namespace persist {

namespace {

constexpr int32_t kDefaultStep = 500;

}  // namespace

void DefaultHighScores(THighScoreTable& table) {
  static const std::string kDefaultName = text::Cp1251FromUtf8("Гоша");
  for (int i = 1; i <= kTableSize; ++i) table[i] = {kDefaultName, (11 - i) * kDefaultStep};
}

char MixChar(char a, char b) {
  const int sum = static_cast<uint8_t>(a) + static_cast<uint8_t>(b);
  return static_cast<char>(sum % 224 + 32);
}

std::string HighScoreChecksum(const THighScoreTable& table) {
  size_t length = 0;
  for (int i = 1; i <= kTableSize; ++i) length = std::max(length, table[i].Name.size());
  std::string sum(length, ' ');
  auto mix = [&sum](const std::string& text) {
    for (size_t j = 0; j < text.size() && j < sum.size(); ++j) sum[j] = MixChar(sum[j], text[j]);
  };
  for (int i = 1; i <= kTableSize; ++i) {
    mix(table[i].Name);
    mix(std::to_string(table[i].Points));
  }
  return sum;
}

bool ScoreQualifies(const THighScoreTable& table, int32_t score) {
  for (int i = 1; i <= kTableSize; ++i)
    if (table[i].Points < score) return true;
  return false;
}

void InsertHighScore(THighScoreTable& table) {
  for (int pass = 1; pass <= kTableSize; ++pass)
    for (int k = 1; k <= kInsertSlot - pass; ++k)
      if (table[k].Points < table[k + 1].Points) std::swap(table[k], table[k + 1]);
}

int RowOfNewEntry(const THighScoreTable& table, int32_t points) {
  for (int row = kTableSize; row >= 1; --row)
    if (table[row].Points == points) return row;
  return 0;
}

void ReadHighScores(THighScoreTable& table, std::vector<uint8_t> bytes) {
  TTextReader in(std::move(bytes));
  for (int i = 1; i <= kTableSize; ++i) {
    table[i].Name = in.ReadLine();
    table[i].Points = in.ReadInteger();
    in.SkipLine();
  }
}

std::vector<uint8_t> HighScoreFileBytes(const THighScoreTable& table) {
  TTextWriter out;
  for (int i = 1; i <= kTableSize; ++i) {
    out.Line(table[i].Name);
    out.Line(std::to_string(table[i].Points));
  }
  return out.Bytes();
}

}  // namespace persist
