#include "trace.h"

#include <cstdio>
#include <sstream>

#include "app/form.h"
#include "objects/player.h"
#include "text/cp1251.h"

namespace sim {

namespace {

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::string PlayerJson(const TMForm& form) {
  if (!form.Game.Player) return "null";
  const TPlayer& player = *form.Game.Player;
  std::ostringstream json;
  json << "{\"x\":" << Number(player.X) << ",\"y\":" << Number(player.Y)
       << ",\"state\":" << int{player.State}
       << ",\"visible\":" << (player.Visible ? "true" : "false") << "}";
  return json.str();
}

// A JSON string literal: quotes, backslashes and control characters escaped, and the bytes
// above ASCII too unless they are kept as the UTF-8 they are.
std::string Quoted(const std::string& text, bool keepUtf8) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F || (c > 0x7F && !keepUtf8)) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Array(const std::vector<std::string>& texts,
                  std::string (*element)(const std::string&)) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) out += (i ? "," : "") + element(texts[i]);
  return out + "]";
}

}  // namespace

std::string JsonString(const std::string& text) {
  return Quoted(text, false);
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  return Array(texts, JsonString);
}

std::string JsonText(const std::string& utf8) {
  return Quoted(text::Utf8ForDisplay(utf8), true);
}

std::string JsonTexts(const std::vector<std::string>& texts) {
  return Array(texts, JsonText);
}

std::string TraceRow(const TFrameFacts& facts, const TMForm& form) {
  std::ostringstream row;
  row << "{\"frame\":" << facts.frame << ",\"ms\":" << facts.ms << ",\"lag\":" << facts.lag
      << ",\"screen\":" << int{form.ScreenType()} << ",\"window\":" << int{form.WindowOpen()}
      << ",\"menuItem\":" << form.MenuItem() << ",\"level\":" << form.Game.Level
      << ",\"score\":" << form.Game.Score << ",\"lives\":" << form.Game.Lives
      << ",\"enemiesLeft\":" << form.Game.EnemiesLeft << ",\"player\":" << PlayerJson(form)
      << ",\"shots\":" << form.Game.Bullets.UsedCount()
      << ",\"monsters\":" << form.Game.Monsters.UsedCount()
      << ",\"hunters\":" << form.Game.GroundGuns.UsedCount()
      << ",\"bonuses\":" << form.Game.Bonuses.UsedCount()
      << ",\"sprites\":" << form.MDXSpriteEngine.Engine().SpriteCount
      << ",\"speedFactor\":" << Number(form.Game.SpeedFactor)
      << ",\"frameMs\":" << form.Game.FrameMs << ",\"fps\":" << form.MDXTimer.FramesPerSecond()
      << ",\"music\":" << (form.SongHandle != 0 ? JsonString(form.SongPath) : std::string("null"))
      << ",\"sounds\":" << JsonStrings(form.SoundsStarted);
  row << ",\"errors\":" << JsonTexts(facts.errors)
      << ",\"requests\":" << JsonStrings(facts.requests) << "}";
  return row.str();
}

}  // namespace sim
