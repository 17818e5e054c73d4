#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace persist {

struct THighScore {
  std::string Name;  // code page 1251
  int32_t Points = 0;
};

// Entries 1 to 10 are the table, highest first; entry 11 is where a new result is put
// before the sort carries it to its place. Index 0 is not used.
using THighScoreTable = std::array<THighScore, 12>;
constexpr int kTableSize = 10;
constexpr int kInsertSlot = 11;

void DefaultHighScores(THighScoreTable& table);
char MixChar(char a, char b);
std::string HighScoreChecksum(const THighScoreTable& table);
bool ScoreQualifies(const THighScoreTable& table, int32_t score);
// The bubble sort over entries 1 to 11; ties never swap, so a new equal score lands below.
void InsertHighScore(THighScoreTable& table);
// The row an entry of `points` just inserted stands in: below every entry of as many points
// (the insertion passes none of them), 0 when it fell off the table.
int RowOfNewEntry(const THighScoreTable& table, int32_t points);

// The 20-line file, read and written by save_files. Reading raises EInOutError "Invalid
// numeric input" for a score that is not a 32-bit integer, with the entries before it read.
void ReadHighScores(THighScoreTable& table, std::vector<uint8_t> bytes);
std::vector<uint8_t> HighScoreFileBytes(const THighScoreTable& table);

}  // namespace persist
