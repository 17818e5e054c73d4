#include "app/form.h"
#include "persist/replay_file.h"
#include "persist/score_record.h"

// Sends the finished game's result to the world-records table. It blocks until the request
// has ended; whatever goes wrong (no network, a refusal, an error answer) is let go. The
// game's replay follows it once the game has left its screen and the replay is whole.
void TMForm::SubmitScore() {
  try {
    const std::string record = persist::BuildScoreRecord(PlayerName, Game.Score, Options.Country);
    const std::string symbols = persist::EncodeScoreRecord(record);
    Platform().HttpGet(persist::ScoreRequestAddress(config_.scoreUrl, symbols));
    replayUploadUrl_ = persist::ReplayUploadAddress(config_.scoreUrl, symbols);
  } catch (const std::exception&) {
    // The sending window goes on as after a success.
  }
}

// The server plays the replay to check the record: sent once, whatever the answer.
void TMForm::UploadReplay(const std::vector<uint8_t>& replay) {
  const std::string url = std::move(replayUploadUrl_);
  replayUploadUrl_.clear();
  if (url.empty() || replay.size() > persist::kMostUploadedReplayBytes) return;
  Platform().HttpPost(url, replay);
}
