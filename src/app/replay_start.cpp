#include <bit>
#include <cmath>

#include "app/form.h"
#include "engine/byte_reader.h"
#include "engine/byte_writer.h"
#include "objects/scroll_background.h"

// The state a game starts from, as its replay keeps it: whatever the game carries in from
// before it began (the spawn timers, the frame's timing, the table it may enter, the name
// typed last time, the input held as it started) and where the frame that started it stood.
// Both functions list the same fields in the same order.

namespace {

// The controls of the key table, one bit each from the lowest: a byte of whether each went down
// in the frame and a byte of whether each is down.
constexpr TControl TControls::*kKeyControls[] = {
    &TControls::Up,    &TControls::Down, &TControls::Left, &TControls::Right,
    &TControls::Pause, &TControls::Yes,  &TControls::No,   &TControls::Back,
};

uint8_t BitsOf(const TControls& controls, bool TControl::*part) {
  uint8_t bits = 0;
  for (size_t i = 0; i < std::size(kKeyControls); ++i)
    bits |= static_cast<uint8_t>((controls.*kKeyControls[i].*part ? 1 : 0) << i);
  return bits;
}

void SetBits(TControls& controls, bool TControl::*part, uint8_t bits) {
  for (size_t i = 0; i < std::size(kKeyControls); ++i)
    controls.*kKeyControls[i].*part = ((bits >> i) & 1) != 0;
}

bool Bool(engine::TByteReader& in) {
  return in.U8() != 0;
}

// A replay is untrusted: a number the game could never have carried into a game is refused
// before the game starts with it.
int32_t Within(int32_t value, int32_t low, int32_t high, const char* what) {
  if (value < low || value > high) {
    throw persist::EReplayError(std::string("the replay starts with ") + what + " " +
                                std::to_string(value));
  }
  return value;
}

double Finite(double value, double low, double high, const char* what) {
  if (!std::isfinite(value) || value < low || value > high)
    throw persist::EReplayError(std::string("the replay starts with an impossible ") + what);
  return value;
}

// The bounds of what a game can start with.
constexpr int32_t kMostLevel = 1000000;
constexpr int32_t kMostTimerMs = 1000000;
constexpr int32_t kLeastRate = 2;
constexpr int32_t kMostRate = 1000;
constexpr int32_t kMostFramesCounted = 1000000;
constexpr double kMostSpeedFactor = 100.0;
constexpr int32_t kMostPointer = 100000;
constexpr double kMostSkyOffset = 1e6;

}  // namespace

std::vector<uint8_t> TMForm::CaptureReplayStart(uint32_t seed) const {
  engine::TByteWriter out;
  out.U32(seed);
  out.I32(FirstLevel());
  out.I32(Game.GunTimer);
  out.I32(Game.MonsterTimer);
  out.I32(Game.BonusTimer);
  out.U64(std::bit_cast<uint64_t>(Game.SpeedFactor));
  out.I32(Game.FrameMs);
  out.U64(Game.LastSerial);
  out.I32(Game.LastPointerX);
  out.I32(Game.LastPointerY);
  out.I32(RefreshRate);
  out.U8(static_cast<uint8_t>(Options.FullScreen | Options.Music << 1 | Options.Sounds << 2));
  out.ShortString(Options.Country);
  out.U8(BossShift);
  out.U16(BossKey);
  for (int i = 1; i <= persist::kTableSize; ++i) {
    out.ShortString(HighScores[i].Name);
    out.I32(HighScores[i].Points);
  }
  out.ShortString(PlayerName);
  out.U8(BitsOf(Controls, &TControl::Pressed));
  out.U8(BitsOf(Controls, &TControl::Held));
  out.U8(static_cast<uint8_t>(SpaceHeld | CtrlHeld << 1 | MouseHeld << 2 |
                              Controls.Confirm.Held << 3 | BossHidden << 4 | MusicPending << 5 |
                              HasScoreServer() << 6 | EnterHeld << 7));
  out.I32(MouseX);
  out.I32(MouseY);
  out.U64(MDXInput.KeyState.to_ullong());
  const engine::TGameController& pad = MDXInput.Controller;
  out.U8(static_cast<uint8_t>(pad.Connected | pad.South << 1 | pad.Start << 2 | pad.Back << 3));
  const engine::TDXTimer::TState timer = MDXTimer.State();
  out.U8(static_cast<uint8_t>(timer.running | timer.started << 1));
  out.U32(timer.lastFrameTime);
  out.U32(timer.periodStart);
  out.I32(timer.framesInPeriod);
  out.I32(timer.framesPerSecond);
  out.U8(frameUnderWay_.has_value());
  out.I32(frameUnderWay_ ? frameUnderWay_->Lag : 0);
  out.I32(frameUnderWay_ ? frameUnderWay_->MenuItemBefore : 0);
  const std::optional<TClickTarget>& click = screens_.LastClick;
  out.U8(click.has_value());
  out.U8(click ? click->Screen : 0);
  out.U8(click ? click->Window : 0);
  out.I32(click ? click->Item : 0);
  out.U64(std::bit_cast<uint64_t>(Sky ? Sky->X : 0.0));
  out.U64(std::bit_cast<uint64_t>(Sky ? Sky->Y : 0.0));
  return std::move(out.Bytes());
}

// Reads what CaptureReplayStart wrote, after the seed; the frame under way is left in
// frameUnderWay_ for the game's start to finish.
void TMForm::ApplyReplayStart(engine::TByteReader& in) {
  config_.firstLevel = Within(in.I32(), 1, kMostLevel, "level");
  Game.GunTimer = Within(in.I32(), -kMostTimerMs, kMostTimerMs, "a spawn timer of");
  Game.MonsterTimer = Within(in.I32(), -kMostTimerMs, kMostTimerMs, "a spawn timer of");
  Game.BonusTimer = Within(in.I32(), -kMostTimerMs, kMostTimerMs, "a spawn timer of");
  Game.SpeedFactor = Finite(std::bit_cast<double>(in.U64()), 0, kMostSpeedFactor, "speed");
  Game.FrameMs = Within(in.I32(), 1, kMostRate, "a frame of");
  Game.LastSerial = in.U64();
  Game.LastPointerX = Within(in.I32(), -kMostPointer, kMostPointer, "the pointer at");
  Game.LastPointerY = Within(in.I32(), -kMostPointer, kMostPointer, "the pointer at");
  RefreshRate = Within(in.I32(), kLeastRate, kMostRate, "a refresh rate of");
  const uint8_t options = in.U8();
  Options.FullScreen = options & 1;
  Options.Music = (options >> 1) & 1;
  Options.Sounds = (options >> 2) & 1;
  Options.Country = in.ShortString();
  BossShift = in.U8();
  BossKey = in.U16();
  for (int i = 1; i <= persist::kTableSize; ++i) {
    HighScores[i].Name = in.ShortString();
    HighScores[i].Points = in.I32();
  }
  PlayerName = in.ShortString();
  SetBits(Controls, &TControl::Pressed, in.U8());
  SetBits(Controls, &TControl::Held, in.U8());
  const uint8_t held = in.U8();
  SpaceHeld = held & 1;
  CtrlHeld = (held >> 1) & 1;
  MouseHeld = (held >> 2) & 1;
  Controls.Confirm.Held = (held >> 3) & 1;
  BossHidden = (held >> 4) & 1;
  MusicPending = (held >> 5) & 1;
  replayedScoreServer_ = (held >> 6) & 1;
  EnterHeld = (held >> 7) & 1;
  MouseX = Within(in.I32(), -kMostPointer, kMostPointer, "the pointer at");
  MouseY = Within(in.I32(), -kMostPointer, kMostPointer, "the pointer at");
  MDXInput.RestoreStates(engine::TDXInputStates(in.U64()));
  const uint8_t pad = in.U8();
  MDXInput.Controller.Connected = pad & 1;
  MDXInput.Controller.South = (pad >> 1) & 1;
  MDXInput.Controller.Start = (pad >> 2) & 1;
  MDXInput.Controller.Back = (pad >> 3) & 1;
  Controls.Fire.Held = FireHeld();
  engine::TDXTimer::TState timer;
  const uint8_t timerFlags = in.U8();
  timer.running = timerFlags & 1;
  timer.started = (timerFlags >> 1) & 1;
  timer.lastFrameTime = in.U32();
  timer.periodStart = in.U32();
  timer.framesInPeriod = Within(in.I32(), 0, kMostFramesCounted, "frames counted");
  timer.framesPerSecond = Within(in.I32(), 0, kMostFramesCounted, "frames a second");
  MDXTimer.SetState(timer);
  const bool inFrame = Bool(in);
  const int lag = Within(in.I32(), 0, kMostTimerMs, "a lag of");
  const int menuItemBefore = Within(in.I32(), 0, TMenuList::kSlots, "the menu item");
  if (inFrame) frameUnderWay_ = TFrameUnderWay{lag, menuItemBefore};
  const bool clicked = Bool(in);
  const uint8_t screen = in.U8();
  const uint8_t window = in.U8();
  const int item = Within(in.I32(), 0, TMenuList::kSlots, "the menu item");
  if (clicked) screens_.LastClick = TClickTarget{screen, window, item};
  const double skyX =
      Finite(std::bit_cast<double>(in.U64()), -kMostSkyOffset, kMostSkyOffset, "sky");
  const double skyY =
      Finite(std::bit_cast<double>(in.U64()), -kMostSkyOffset, kMostSkyOffset, "sky");
  if (Sky) {
    Sky->X = skyX;
    Sky->Y = skyY;
  }
}
