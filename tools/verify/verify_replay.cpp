#include "verify_replay.h"

#include <sstream>

#include "app/replay_playback.h"
#include "platform/headless/headless_platform.h"

namespace verify {

namespace {

// A reason on one line: the server reads line by line.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// A version as a replay names it, which anyone may have written: letters, digits and . + - _
// only, so that the server can pick a checker by it.
std::string VersionToken(const std::string& version) {
  std::string token;
  for (const char c : version.substr(0, 32)) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       c == '.' || c == '+' || c == '-' || c == '_';
    token += plain ? c : '?';
  }
  return token.empty() ? "?" : token;
}

std::string TextHex(const std::string& text) {
  if (text.empty()) return "-";
  return persist::HexOf(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void Play(const persist::TReplay& replay, platform::THeadlessPlatform& headless,
          std::ostream& out) {
  TReplayRun run(headless, replay, TFormConfig{});
  run.Form().SkipDrawing = true;
  run.Start();
  while (run.Step()) {
  }
  const persist::TReplayResult reached = run.Reached();
  out << "played\nscore " << reached.Score << "\nlevel " << reached.Level << "\nframes "
      << reached.Frames << "\nname " << TextHex(reached.Name) << "\ncountry "
      << TextHex(reached.Country) << '\n';
  if (run.Damage()) out << "damage " << OneLine(*run.Damage()) << '\n';
  out << "end\n";
}

}  // namespace

std::string CheckerLine(const persist::TSha256& rules) {
  return std::string("checker ") + PEROLET_VERSION + " " + persist::HexOf(rules);
}

void VerifyReplay(const std::function<std::vector<uint8_t>()>& readReplay,
                  platform::THeadlessPlatform& headless, std::ostream& out) {
  const persist::TSha256 ours = RulesFingerprintOfData();
  out << CheckerLine(ours) << std::endl;
  persist::TReplay replay;
  try {
    replay = persist::DecodeReplay(readReplay());
  } catch (const std::exception& error) {
    out << "refused " << OneLine(error.what()) << '\n';
    return;
  }
  if (replay.Rules != ours) {
    out << "other " << VersionToken(replay.GameVersion) << ' ' << persist::HexOf(replay.Rules)
        << '\n';
    return;
  }
  // Whatever the game raises on the way (a damaged start, a damaged tape) is the replay's
  // fault: nothing has been said of its play yet.
  std::ostringstream played;
  try {
    Play(replay, headless, played);
  } catch (const std::exception& error) {
    out << "refused " << OneLine(error.what()) << '\n';
    return;
  }
  out << played.str();
}

}  // namespace verify
