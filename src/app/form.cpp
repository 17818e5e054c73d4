#include "app/form.h"

#include "app/key_table.h"
#include "platform/platform.h"
#include "platform/vk_codes.h"

namespace {

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;
constexpr int kDesignBitCount = 16;
constexpr int kJoystickDeadZone = 50;
constexpr int kJoystickRange = 1000;

struct TAssignment {
  int state;
  int code;
};

// The form's key table: one key a state, in the first slot; the Pause key pauses as P does,
// from the second.
constexpr TAssignment kFormAssigns[] = {
    {engine::ksUp, platform::vk::kUp},
    {engine::ksDown, platform::vk::kDown},
    {engine::ksLeft, platform::vk::kLeft},
    {engine::ksRight, platform::vk::kRight},
    {key_table::kPause, 'P'},
    {key_table::kYes, 'Y'},
    {key_table::kNo, 'N'},
    {key_table::kEscape, platform::vk::kEscape},
    {key_table::kSpace, platform::vk::kSpace},
    {key_table::kEnter, platform::vk::kReturn},
    {engine::ksButton(12), 'Z'},
    {engine::ksButton(13), 'X'},
    {engine::ksButton(14), 'C'},
    {engine::ksButton(15), 'V'},
    {engine::ksButton(16), 'B'},
    {engine::ksButton(17), '1'},
    {engine::ksButton(18), '2'},
    {engine::ksButton(19), '3'},
    {engine::ksButton(20), '4'},
    {engine::ksButton(21), '5'},
    {engine::ksButton(22), '6'},
    {engine::ksButton(23), '7'},
    {engine::ksButton(24), '8'},
    {engine::ksButton(25), '9'},
    {engine::ksButton(26), '0'},
};

}  // namespace

TMForm::TMForm(platform::TPlatform& platform, TFormConfig config)
    : engine::TDXForm(platform),
      MDXDraw(this),
      MDXInput(platform),
      MDXTimer(platform),
      config_(std::move(config)),
      errors_(platform) {
  SetUpComponents();
}

TMForm::~TMForm() {
  // A game the program leaves in the middle (an error that came back every frame) keeps its
  // replay as one closed would.
  try {
    EndGameRecording(persist::TReplayEnding::Closed);
    KeepEndedReplay();
  } catch (const std::exception&) {
  }
  StopSong();
  // Every sprite keeps a reference to the game it was made in, which is destroyed before the
  // sprite engine: the sprites go first.
  MDXSpriteEngine.PurgeDead();
  MDXSpriteEngine.Engine().Clear();
}

// The settings the form gives its components, then their load: the input devices are read
// once and the timer starts when the application is active.
void TMForm::SetUpComponents() {
  SetCaption(kGameTitle);
  SetBorderStyle(engine::TBorderStyle::Single);
  SetPositionCentered();

  MDXDraw.Width = kClientWidth;
  MDXDraw.Height = kClientHeight;
  MDXDraw.DisplayWidth = kClientWidth;
  MDXDraw.DisplayHeight = kClientHeight;
  MDXDraw.SurfaceWidth = kClientWidth;
  MDXDraw.SurfaceHeight = kClientHeight;
  MDXDraw.SetBitCount(kDesignBitCount);
  MDXDraw.SetOptions(engine::TDXDraw::kFormOptions);

  MDXWaveList.SetDXSound(&MDXSound);
  MDXSound.Loaded();

  MDXInput.ActiveOnly = true;
  MDXInput.Keyboard.Assigns.fill(0);
  for (const TAssignment& a : kFormAssigns) MDXInput.Keyboard.Assign(a.state, 0, a.code);
  MDXInput.Keyboard.Assign(key_table::kPause, 1, platform::vk::kPause);
  MDXInput.Joystick.ID = 0;
  MDXInput.Joystick.AutoCenter = true;
  for (int axis = 0; axis < engine::TJoystick::kAxes; ++axis) {
    MDXInput.Joystick.SetDeadZone(axis, kJoystickDeadZone);
    MDXInput.Joystick.SetRange(axis, kJoystickRange);
  }
  MDXInput.Initialize();

  errors_.FaultNote = [this] { return KeepFaultReplay(); };

  MDXTimer.SetActiveOnly(true);
  MDXTimer.SetInterval(0);
  MDXTimer.OnTimer = [this](engine::TDXTimer&, int lag) {
    errors_.Frame([this, lag] { MDXTimerTimer(lag); });
    if (!errors_.Fatal()) return;
    SaveBeforeFatalEnd();
    Terminate();
  };
  MDXTimer.Loaded(Platform().AppActive());
}
