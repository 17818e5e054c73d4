#include "app/replay_playback.h"

#include "app/data_files.h"

#include "gameplay/game_rules.h"
#include "platform/file_io.h"
#include "platform/paths.h"

// The rules' version and each data file's hash, hashed together: two builds with the same
// fingerprint play a replay to the same end.
persist::TSha256 RulesFingerprintOfData() {
  persist::TSha256Hasher rules;
  rules.Add("perolet rules " + std::to_string(gameplay::kRulesVersion) + "\n");
  for (const char* file : kRuleDataFiles) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!platform::ReadWholeFile(platform::NativePath(file), bytes, why)) bytes.clear();
    rules.Add(persist::Sha256(bytes));
  }
  return rules.Finish();
}

TReplayRun::TReplayRun(platform::TPlatform& inner, const persist::TReplay& replay,
                       TFormConfig config)
    : replay_(replay), platform_(inner, replay.Tape) {
  const persist::TSha256 ours = RulesFingerprintOfData();
  if (replay.Rules != ours) {
    throw persist::EReplayError("the replay was recorded by version " + replay.GameVersion +
                                " under other rules (" +
                                persist::HexOf(replay.Rules).substr(0, 12) + "); this game's are " +
                                persist::HexOf(ours).substr(0, 12));
  }
  config.replaying = true;
  form_ = std::make_unique<TMForm>(platform_, std::move(config));
  form_->FormCreate();
}

void TReplayRun::Start() {
  platform_.Arm();
  form_->StartReplayedGame(replay_.Start);
}

TReplayRun::~TReplayRun() = default;

bool TReplayRun::Over() {
  return platform_.Finished() || form_->Terminated() || form_->GameEnded();
}

bool TReplayRun::Step() {
  if (Over()) return false;
  form_->ProcessEvents();
  if (!form_->Terminated()) form_->MDXTimer.Idle();
  return true;
}

persist::TReplayResult TReplayRun::Reached() const {
  using persist::TReplayEnding;
  // A game still running when its replay ran out was closed, or stopped by the fault the
  // replay was kept for.
  TReplayEnding ending = Claimed().Ending;
  if (form_->GameEnded()) {
    ending = form_->GameEnding();
  } else if (ending != TReplayEnding::Fault) {
    ending = TReplayEnding::Closed;
  }
  return form_->GameResult(ending);
}
