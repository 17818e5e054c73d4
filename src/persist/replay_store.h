#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "persist/high_scores.h"

namespace persist {

// The replays kept in replays/ beside the save files: the last game's, the latest fault's,
// and one for each game on the table.
constexpr const char* kReplayFolder = "replays";
constexpr const char* kLastReplay = "last";
constexpr const char* kFaultReplay = "fault";

std::string ReplayFolderOf(const std::string& saveFolder);
// `stem` names the file without its extension.
std::string ReplayPathOf(const std::string& saveFolder, const std::string& stem);
// The file a game on the table keeps its replay in: by its score and seed, so two games never
// share one.
std::string TableReplayStem(int32_t score, uint32_t seed);

// Writes one replay in one step (a temporary renamed over it) and returns its path; an empty
// path and `why` when it could not be written. A replay is never worth stopping the game for.
std::string KeepReplay(const std::string& saveFolder, const std::string& stem,
                       const std::vector<uint8_t>& bytes, std::string& why);

// Removes the table's replays whose game is no longer on it: a file stays when a row of the
// table has its name and score. The last game's and the fault's stay, and so does anything
// that is not a replay of ours.
void PruneReplays(const std::string& saveFolder, const THighScoreTable& table);

}  // namespace persist
