#include "app/form.h"
#include "persist/replay_store.h"
#include "persist/save_files.h"

persist::TSettingsRef TMForm::Settings() {
  return {Options, BossShift, BossKey, HighScoreCheck};
}

// Start-up: the table, then the options (which carry the table's checksum), then the check.
// Files set aside on the way are told to the player once the main menu is up.
void TMForm::LoadSaveFiles() {
  if (config_.replaying) return;  // a replay carries the settings and table it needs
  for (const persist::TSetAside& setAside :
       persist::LoadSaveFiles(config_.saveFolder, Settings(), HighScores))
    startupNotices_.push_back(persist::SetAsideNotice(setAside));
}

// The orderly exit: the only place the save files are written. A failure stops here with
// the error and the files as they were, and the program runs on so the player can try again.
void TMForm::SaveAndExit() {
  MDXSpriteEngine.PurgeDead();
  if (!config_.replaying) {
    persist::WriteSaveFiles(config_.saveFolder, Settings(), HighScores);
    // The replays of games the table no longer holds (records cleared) go with them.
    persist::PruneReplays(config_.saveFolder, HighScores);
  }
  // Only a save that worked ends the program, and with it a game still running.
  EndGameRecording(persist::TReplayEnding::Closed);
  Terminate();
}
