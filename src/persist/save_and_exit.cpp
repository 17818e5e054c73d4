#include "app/form.h"
#include "persist/high_scores.h"
#include "persist/options_file.h"

namespace {

constexpr const char* kOptionsFile = "options";
constexpr const char* kHighScoreFile = "hs";

}  // namespace

std::string TMForm::SavePath(const char* file) const {
  return config_.saveFolder + "/" + file;
}

persist::TSettingsRef TMForm::Settings() {
  return {Options, BossShift, BossKey, HighScoreCheck};
}

// Start-up: the table, then the options (which carry the table's checksum), then the check.
void TMForm::LoadSaveFiles() {
  persist::LoadHighScores(HighScores, SavePath(kHighScoreFile));
  persist::LoadOptions(Settings(), SavePath(kOptionsFile));
  if (HighScoreCheck != persist::HighScoreChecksum(HighScores))
    persist::DefaultHighScores(HighScores);
}

// The orderly exit: the only place the save files are written. A failure stops here with
// the error, and the program runs on.
void TMForm::SaveAndExit() {
  MDXSpriteEngine.PurgeDead();
  persist::SaveOptions(Settings(), persist::HighScoreChecksum(HighScores), SavePath(kOptionsFile));
  persist::SaveHighScores(HighScores, SavePath(kHighScoreFile));
  Terminate();
}
