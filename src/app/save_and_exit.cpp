#include <exception>
#include <iostream>

#include "app/form.h"
#include "engine/engine_error.h"
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
  optionsSaved_ = PlayerChoices();
}

TMForm::TPlayerChoices TMForm::PlayerChoices() const {
  return {Options, BossShift, BossKey};
}

// An option the player changed (on the options screen, or the display by Alt+Enter) is saved
// once it is settled, with the table, in the same safe commit as the exit's: a crash or a lost
// session keeps it. A capture of the boss key or an edit of the country is settled when it
// ends. A save that fails now is said on standard error and made again at the exit.
void TMForm::SaveOptionsWhenChanged() {
  if (config_.replaying || screens_.ChangingSettings()) return;
  TPlayerChoices choices = PlayerChoices();  // a short copy a frame: the country fits in place
  if (choices == optionsSaved_) return;
  optionsSaved_ = std::move(choices);
  try {
    persist::WriteSaveFiles(config_.saveFolder, Settings(), HighScores);
  } catch (const std::exception& error) {
    std::cerr << "Перолёт: the changed settings were not saved now (the exit tries again): "
              << error.what() << '\n';
  }
}

// The options and the table written together, with the replays the table no longer holds
// (records cleared) removed. A capture of the boss key or an edit of the country still under
// way ends first, as leaving the options screen ends it: a capture that caught nothing saves
// the old key, not "no key".
void TMForm::WriteSaves() {
  if (config_.replaying) return;
  screens_.SettleSettings();
  persist::WriteSaveFiles(config_.saveFolder, Settings(), HighScores);
  persist::PruneReplays(config_.saveFolder, HighScores);
}

// The orderly exit writes the save files and ends the program. A save that fails shows its
// error and the program runs on, so the player can make room and try again; the next request
// to leave after that (the quit confirmed again, the close button) leaves whatever that try
// gives, as does the end of the session (`evenUnsaved`): a save that cannot be made never
// holds the program. What was not saved is said on standard error.
void TMForm::SaveAndExit(bool evenUnsaved) {
  MDXSpriteEngine.PurgeDead();
  try {
    WriteSaves();
  } catch (const std::exception& error) {
    if (!evenUnsaved && !saveFailed_) {
      saveFailed_ = true;
      throw engine::EInOutError(std::string(error.what()) + "\n" + kUnsavedHint);
    }
    std::cerr << "Перолёт: leaving without saving the settings and records: " << error.what()
              << '\n';
  }
  // Only a save that worked, or a leave that no longer waits for one, ends the program, and
  // with it a game still running.
  EndGameRecording(persist::TReplayEnding::Closed);
  Terminate();
}

// An error that came back frame after frame ends the program; what the session changed (the
// options, a new record) is saved first where it can be.
void TMForm::SaveBeforeFatalEnd() {
  try {
    WriteSaves();
  } catch (const std::exception& error) {
    std::cerr << "Перолёт: the settings and records were not saved: " << error.what() << '\n';
  }
}
