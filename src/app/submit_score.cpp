#include "app/form.h"
#include "persist/score_record.h"

// Sends the finished game's result to the world-records table. It blocks until the request
// has ended; whatever goes wrong (no network, a refusal, an error answer) is let go.
void TMForm::SubmitScore() {
  try {
    const std::string record = persist::BuildScoreRecord(PlayerName, Game.Score, Options.Country);
    Platform().HttpGet(
        persist::ScoreRequestAddress(config_.scoreUrl, persist::EncodeScoreRecord(record)));
  } catch (const std::exception&) {
    // The sending window goes on as after a success.
  }
}
