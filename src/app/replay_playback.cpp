#include "app/replay_playback.h"

#include "gameplay/game_rules.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace {

// The files whose pictures and sizes the rules play with; the music changes nothing.
constexpr const char* kRuleDataFiles[] = {"Data\\Res\\Res1.dxg", "Data\\Res\\Res2.dxg",
                                          "Data\\Res\\Sounds.dxw"};

}  // namespace

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
    : replay_(replay), claimed_(replay.Result), platform_(inner, replay.Tape) {
  if (replay.Rules != RulesFingerprintOfData()) {
    throw persist::EReplayError("the replay was recorded by version " + replay.GameVersion +
                                " under other rules (" +
                                persist::HexOf(replay.Rules).substr(0, 12) + "); this game's are " +
                                persist::HexOf(RulesFingerprintOfData()).substr(0, 12));
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
  TReplayEnding ending = claimed_.Ending;
  if (form_->GameEnded()) {
    ending = TReplayEnding::GameOver;
  } else if (ending == TReplayEnding::GameOver) {
    ending = TReplayEnding::Closed;
  }
  return form_->GameResult(ending);
}
