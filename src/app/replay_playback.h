#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/form.h"
#include "persist/replay_file.h"
#include "platform/replay_platform.h"

// The rules fingerprint of the data in the working directory and this build's rules.
persist::TSha256 RulesFingerprintOfData();

// Plays one replay through the game: a form on the replay platform, over the platform given
// (the headless one to check it, a window to watch it). The replay must have been recorded
// under this build's rules.
class TReplayRun {
 public:
  // EReplayError when the replay is of other rules or its start is damaged; ETapeError when its
  // input is.
  TReplayRun(platform::TPlatform& inner, const persist::TReplay& replay, TFormConfig config);
  ~TReplayRun();
  // Starts the recorded game (the form is made and shown by then, for a caller that watches
  // its frames). EReplayError when the starting state is damaged.
  void Start();
  TReplayRun(const TReplayRun&) = delete;
  TReplayRun& operator=(const TReplayRun&) = delete;

  // One turn of the message loop: the frame's events, then the frame. False once the replay
  // is over (played to its end, its game ended, or its input found damaged).
  bool Step();
  bool Over();

  TMForm& Form() { return *form_; }
  platform::TReplayPlatform& Platform() { return platform_; }
  const persist::TReplayResult& Claimed() const { return replay_.Result; }
  // What the game came to; its ending is the claimed one unless the game ended when the
  // replay claimed it had not, or the other way round.
  persist::TReplayResult Reached() const;
  bool ReachedClaim() const { return !Damage() && Reached() == Claimed(); }
  const std::optional<std::string>& Damage() const { return platform_.Damage(); }

 private:
  const persist::TReplay& replay_;
  platform::TReplayPlatform platform_;
  std::unique_ptr<TMForm> form_;
};
