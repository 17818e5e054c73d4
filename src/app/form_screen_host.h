#pragma once

#include "screens/screen_host.h"

class TMForm;

// The form as the screens' host: each request is answered by the form's components and state.
class TFormScreenHost final : public TScreenHost {
 public:
  explicit TFormScreenHost(TMForm& form) : form_(form) {}

  TScreenStack& Screens() override;
  gameplay::TGame& Game() override;
  engine::TDXSpriteEngine& Sprites() override;
  const TControls& Controls() const override;
  TChoosersHeld ChoosersHeld() const override;
  platform::TPoint Pointer() const override;
  void ShowMouseCursor() override;
  void HideMouseCursor() override;
  TScreenText& Text() override;
  TScrollBackground*& Sky() override;
  void PlayEffect(const std::string& name) override;
  void StartScreenMusic() override;
  void StopSong() override;
  persist::TSettingsRef Settings() override;
  persist::THighScoreTable& HighScores() override;
  void ApplyDisplayMode() override;
  void OpenLink(const std::string& file) override;
  void SaveAndExit() override;
  void BeginGame() override;
  std::string& PlayerName() override;
  void NameEntered() override;
  bool HasScoreServer() const override;
  const std::string& ScoreServer() const override;
  void SubmitScore() override;

 private:
  TMForm& form_;
};
