#include "app/form_screen_host.h"

#include "app/form.h"
#include "platform/links.h"

TScreenStack& TFormScreenHost::Screens() {
  return form_.Screens();
}

gameplay::TGame& TFormScreenHost::Game() {
  return form_.Game;
}

engine::TDXSpriteEngine& TFormScreenHost::Sprites() {
  return form_.MDXSpriteEngine;
}

const TControls& TFormScreenHost::Controls() const {
  return form_.Controls;
}

TChoosersHeld TFormScreenHost::ChoosersHeld() const {
  return {.Enter = form_.EnterHeld, .Space = form_.SpaceHeld, .Pad = form_.Controls.Confirm.Held};
}

platform::TPoint TFormScreenHost::Pointer() const {
  return {form_.MouseX, form_.MouseY};
}

void TFormScreenHost::ShowMouseCursor() {
  form_.ShowMouseCursor();
}

void TFormScreenHost::HideMouseCursor() {
  form_.HideMouseCursor();
}

TScreenText& TFormScreenHost::Text() {
  return form_.Text;
}

TScrollBackground*& TFormScreenHost::Sky() {
  return form_.Sky;
}

void TFormScreenHost::PlayEffect(const std::string& name) {
  form_.PlayEffect(name);
}

void TFormScreenHost::StartScreenMusic() {
  form_.StartScreenMusic();
}

void TFormScreenHost::StopSong() {
  form_.StopSong();
}

persist::TSettingsRef TFormScreenHost::Settings() {
  return form_.Settings();
}

persist::THighScoreTable& TFormScreenHost::HighScores() {
  return form_.HighScores;
}

void TFormScreenHost::ApplyDisplayMode() {
  form_.ApplyDisplayMode();
}

void TFormScreenHost::OpenLink(const std::string& file) {
  platform::OpenLink(form_.Platform(), file);
}

void TFormScreenHost::SaveAndExit() {
  form_.SaveAndExit();
}

void TFormScreenHost::BeginGame() {
  form_.BeginGame();
}

std::string& TFormScreenHost::PlayerName() {
  return form_.PlayerName;
}

void TFormScreenHost::NameEntered() {
  form_.NameEntered();
}

bool TFormScreenHost::HasScoreServer() const {
  return form_.HasScoreServer();
}

const std::string& TFormScreenHost::ScoreServer() const {
  return form_.Config().scoreUrl;
}

void TFormScreenHost::SubmitScore() {
  form_.SubmitScore();
}
