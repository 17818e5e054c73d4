#include <iostream>
#include <memory>

#include "app/form.h"
#include "app/replay_playback.h"
#include "engine/byte_reader.h"
#include "persist/replay_store.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"

namespace {

[[noreturn]] void StartCutShort() {
  throw persist::EReplayError("the replay's starting state is cut short");
}

}  // namespace

void TMForm::ResetGameRecord() {
  gameRunning_ = true;
  gameEnding_.reset();
  nameEntered_ = false;
  faultKept_ = false;
  gameFrames_ = 0;
}

// The seed is drawn and the state taken before anything of the game happens, and the
// recording begins before the game asks the platform anything. A state that cannot be kept
// (a name from a file longer than a replay holds) leaves the game unrecorded, never unplayed.
void TMForm::BeginGame() {
  const uint32_t seed = Game.DrawGameSeed();
  bool record = recorder_ && !config_.replaying;
  if (record) {
    try {
      replayStart_ = CaptureReplayStart(seed);
    } catch (const std::exception& error) {
      std::cerr << "Перолёт: this game is not recorded: " << error.what() << '\n';
      record = false;
    }
  }
  LeaveMainMenu();
  ResetGameRecord();
  if (record) recorder_->Begin();
  Game.StartGame(seed);
}

void TMForm::StartReplayedGame(const std::vector<uint8_t>& start) {
  engine::TByteReader in(start, StartCutShort);
  const uint32_t seed = in.U32();
  ApplyReplayStart(in);
  if (!in.AtEnd()) throw persist::EReplayError("the replay's starting state is too long");
  const std::optional<TFrameUnderWay> frame = frameUnderWay_;
  frameUnderWay_.reset();
  PlayEffect("Button");  // the press that started the recorded game
  LeaveMainMenu();
  ResetGameRecord();
  Game.StartGame(seed);
  if (frame) FinishFrame(frame->Lag, frame->MenuItemBefore);
}

// A game left running for hours would outgrow what a replay may hold: its recording stops
// there, and the game goes on unrecorded.
void TMForm::LimitRecording() {
  if (!recorder_ || !recorder_->Tape()) return;
  if (recorder_->Tape()->Size() < persist::kMostReplayTapeBytes) return;
  recorder_->End();
  std::cerr << "Перолёт: this game has grown too long to keep as a replay\n";
}

// The replay of a game that has ended: the last game's always, and one for the table when the
// game entered it. A replay that cannot be made or written is told on standard error only: it
// is never worth stopping the player, or the game's end, for.
void TMForm::EndGameRecording(persist::TReplayEnding ending) {
  if (!gameRunning_) return;
  gameRunning_ = false;
  gameEnding_ = ending;
  if (!recorder_ || config_.replaying) return;
  TEndedReplay ended{GameResult(ending), {persist::kLastReplay}};
  if (nameEntered_) ended.stems.push_back(persist::TableReplayStem(Game.Score, Game.GameSeed()));
  endedReplay_ = std::move(ended);
  if (!inEvents_) KeepEndedReplay();
}

void TMForm::KeepEndedReplay() {
  if (!endedReplay_) return;
  const TEndedReplay ended = std::move(*endedReplay_);
  endedReplay_.reset();
  const std::unique_ptr<platform::TTapeWriter> tape = recorder_->End();
  if (!tape) {
    replayUploadUrl_.clear();
    return;
  }
  try {
    persist::TReplay replay{PEROLET_VERSION, rulesFingerprint_, ended.result,
                            std::move(replayStart_), tape->Bytes()};
    const std::vector<uint8_t> bytes = persist::EncodeReplay(replay);
    for (const std::string& stem : ended.stems) {
      std::string why;
      if (persist::KeepReplay(config_.saveFolder, stem, bytes, why).empty())
        std::cerr << "Перолёт: the game's replay was not kept: " << why << '\n';
    }
    if (ended.stems.size() > 1) persist::PruneReplays(config_.saveFolder, HighScores);
    UploadReplay(bytes);
  } catch (const std::exception& error) {
    replayUploadUrl_.clear();
    std::cerr << "Перолёт: the game's replay was not kept: " << error.what() << '\n';
  }
}

// An error caught during a game keeps the game so far, once a game, so the fault can be
// played again; the error box names the file. Packed quickly: the player is waiting.
std::string TMForm::KeepFaultReplay() {
  if (!gameRunning_ || faultKept_ || !recorder_ || !recorder_->Tape() || config_.replaying)
    return {};
  faultKept_ = true;
  try {
    persist::TReplay replay{PEROLET_VERSION, rulesFingerprint_,
                            GameResult(persist::TReplayEnding::Fault), replayStart_,
                            recorder_->Tape()->Bytes()};
    std::string why;
    const std::string path =
        persist::KeepReplay(config_.saveFolder, persist::kFaultReplay,
                            persist::EncodeReplay(replay, persist::kQuickPackLevel), why);
    if (path.empty()) return {};
    return "\n\nИгра до ошибки записана: " + platform::AbsolutePath(path);
  } catch (const std::exception&) {
    return {};
  }
}

persist::TReplayResult TMForm::GameResult(persist::TReplayEnding ending) const {
  return {.Name = nameEntered_ ? PlayerName : std::string(),
          .Country = Options.Country,
          .Score = Game.Score,
          .Level = Game.Level,
          .Lives = Game.Lives,
          .Frames = gameFrames_,
          .Ending = ending};
}
