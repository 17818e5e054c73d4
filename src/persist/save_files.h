#pragma once

#include <string>
#include <vector>

#include "persist/high_scores.h"
#include "persist/options_file.h"
#include "persist/save_commit.h"

namespace persist {

// A save file that could not be read and was moved out of the way at start-up.
struct TSetAside {
  std::string file;       // "options" or "hs"
  std::string asidePath;  // where it is now; empty when it could not be moved
  std::string path;       // where it was
  // For the options: the table they vouched for, given up with them and kept here (empty when
  // there was none, or it could not be kept).
  std::string tableKeptPath;
};

// Start-up: finishes an interrupted save, reads the high-score table and the options, and
// resets a table that does not match its checksum. A file that cannot be read is set aside
// (options.damaged, hs.damaged) and the game starts as if it were missing; a table given up
// for its checksum is first copied to hs.replaced. Never raises for what is in the files.
std::vector<TSetAside> LoadSaveFiles(const std::string& folder, TSettingsRef settings,
                                     THighScoreTable& table);

// The orderly exit's save: both files in one commit (see CommitSaveFiles).
void WriteSaveFiles(const std::string& folder, const TSettingsRef& settings,
                    const THighScoreTable& table, const TCommitStep& afterStep = {});

// What the player is told, once, about a file set aside (UTF-8).
std::string SetAsideNotice(const TSetAside& setAside);

}  // namespace persist
