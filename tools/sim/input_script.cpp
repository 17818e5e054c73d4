#include "input_script.h"

#include <sstream>
#include <stdexcept>

#include "platform/headless/headless_platform.h"

namespace sim {

namespace {

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;

struct TActionName {
  const char* name;
  TScriptAction action;
  int argumentCount;
};

constexpr TActionName kActions[] = {
    {"down", TScriptAction::Down, 1},   {"up", TScriptAction::Up, 1},
    {"char", TScriptAction::Char, 1},   {"move", TScriptAction::Move, 2},
    {"press", TScriptAction::Press, 0}, {"release", TScriptAction::Release, 0},
    {"click", TScriptAction::Click, 0}, {"dblclick", TScriptAction::DblClick, 0},
    {"close", TScriptAction::Close, 0}, {"focus", TScriptAction::Focus, 1},
};

void CheckRange(const TScriptEvent& event) {
  const auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
  bool ok = true;
  switch (event.action) {
    case TScriptAction::Down:
    case TScriptAction::Up:
      ok = within(event.a, 1, 255);
      break;
    case TScriptAction::Char:
      ok = within(event.a, 1, 255);
      break;
    case TScriptAction::Move:
      ok = within(event.a, 0, kSurfaceWidth - 1) && within(event.b, 0, kSurfaceHeight - 1);
      break;
    case TScriptAction::Focus:
      ok = within(event.a, 0, 1);
      break;
    default:
      break;
  }
  if (!ok) throw std::invalid_argument("argument out of range");
}

}  // namespace

TInputScript TInputScript::Parse(std::istream& in) {
  TInputScript script;
  std::string line;
  for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
    std::istringstream words(line);
    int64_t frame = 0;
    std::string name;
    if (!(words >> frame)) {
      std::istringstream probe(line);
      std::string first;
      if (!(probe >> first) || first.starts_with("#")) continue;
      throw std::invalid_argument("input line " + std::to_string(lineNumber) +
                                  ": a frame number must come first: \"" + line + "\"");
    }
    try {
      if (frame < 0 || !(words >> name)) throw std::invalid_argument("no event after the frame");
      const TActionName* found = nullptr;
      for (const TActionName& a : kActions) {
        if (name == a.name) found = &a;
      }
      if (!found) throw std::invalid_argument("unknown event \"" + name + "\"");
      TScriptEvent event{found->action};
      if (found->argumentCount >= 1 && !(words >> event.a))
        throw std::invalid_argument("missing argument");
      if (found->argumentCount >= 2 && !(words >> event.b))
        throw std::invalid_argument("missing argument");
      std::string rest;
      if (words >> rest) throw std::invalid_argument("unexpected \"" + rest + "\"");
      CheckRange(event);
      script.byFrame_[frame].push_back(event);
    } catch (const std::invalid_argument& error) {
      throw std::invalid_argument("input line " + std::to_string(lineNumber) + ": " + error.what() +
                                  ": \"" + line + "\"");
    }
  }
  return script;
}

const std::vector<TScriptEvent>* TInputScript::EventsOf(int64_t frame) const {
  const auto found = byFrame_.find(frame);
  return found == byFrame_.end() ? nullptr : &found->second;
}

size_t TInputScript::EventCount() const {
  size_t count = 0;
  for (const auto& [frame, events] : byFrame_) count += events.size();
  return count;
}

void Deliver(const TScriptEvent& event, platform::THeadlessPlatform& platform) {
  switch (event.action) {
    case TScriptAction::Down:
      platform.KeyDown(event.a);
      break;
    case TScriptAction::Up:
      platform.KeyUp(event.a);
      break;
    case TScriptAction::Char:
      platform.TypeChar(event.a);
      break;
    case TScriptAction::Move:
      platform.MoveMouse(event.a, event.b);
      break;
    case TScriptAction::Press:
      platform.PressMouse();
      break;
    case TScriptAction::Release:
      platform.ReleaseMouse();
      break;
    case TScriptAction::Click:
      platform.Click();
      break;
    case TScriptAction::DblClick:
      platform.DoubleClick();
      break;
    case TScriptAction::Close:
      platform.RequestClose();
      break;
    case TScriptAction::Focus:
      platform.SetFocus(event.a != 0);
      break;
  }
}

}  // namespace sim
