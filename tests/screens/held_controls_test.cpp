#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "gameplay/game_fixture.h"
#include "platform/vk_codes.h"

namespace {

namespace vk = platform::vk;

// A control that chooses a button, held from play into the windows that follow the game's end:
// the pad's south button, or the Enter or Space key, which the system repeats as typed
// characters while they are held.
struct TChooser {
  const char* what;
  std::function<void(bool)> hold;
  int repeats;  // the character a held key types again and again; 0 for the pad
};

struct HeldChoosers : GameFixture {
  platform::TControllerState pad;

  // A game of its own for each control, its first level banner gone.
  void StartAGame() {
    form = std::make_unique<TMForm>(platform, TFormConfig{5, kScoreServer});
    form->FormCreate();
    form->LeaveMainMenu();
    form->Game.StartGame(form->Game.DrawGameSeed());
    CloseWindows();
  }
  // Frames with the control held, a held key typed again each frame.
  void HoldFor(const TChooser& chooser, int frames) {
    for (int i = 0; i < frames; ++i) {
      if (chooser.repeats) platform.TypeChar(chooser.repeats);
      Frame();
    }
  }
  // Let go for a frame, then pressed anew: a key types its character once.
  void PressAgain(const TChooser& chooser) {
    chooser.hold(false);
    Frame();
    chooser.hold(true);
    if (chooser.repeats == ' ') platform.TypeChar(' ');  // Enter's key-down types its own
    Frame();
  }
};

// A control held since before a window opened does not answer it, however long it is held and
// repeated; let go and pressed again, it does.
TEST_F(HeldChoosers, DoNotAnswerTheWindowsThatOpenWhileTheyAreHeld) {
  const TChooser choosers[] = {
      {"the pad's south button",
       [&](bool down) {
         pad.south = down;
         platform.SetController(pad);
       },
       0},
      {"Enter",
       [&](bool down) { down ? platform.KeyDown(vk::kReturn) : platform.KeyUp(vk::kReturn); }, 13},
      {"Space",
       [&](bool down) { down ? platform.KeyDown(vk::kSpace) : platform.KeyUp(vk::kSpace); }, ' '},
  };
  for (const TChooser& chooser : choosers) {
    SCOPED_TRACE(chooser.what);
    StartAGame();
    const size_t requests = platform.Requests().size();
    form->Game.Score = 9000;
    form->Game.Lives = 1;
    UntilFlying();
    chooser.hold(true);  // fire, as the game's end comes
    Frame();
    player().Explode();
    for (int i = 0; i < 800 && form->WindowOpen() != kWindowNameEntry; ++i) HoldFor(chooser, 1);
    ASSERT_EQ(form->WindowOpen(), kWindowNameEntry);
    HoldFor(chooser, 30);
    EXPECT_EQ(form->WindowOpen(), kWindowNameEntry) << "the held control entered the name";

    // The name entered, with the control down again: the question to send opens under it.
    if (chooser.repeats == ' ') {
      platform.KeyDown(vk::kReturn);  // Space types blanks into the name
      Frame();
      platform.KeyUp(vk::kReturn);
    } else {
      PressAgain(chooser);
    }
    ASSERT_EQ(form->WindowOpen(), kWindowSendScore);
    HoldFor(chooser, 30);
    EXPECT_EQ(form->WindowOpen(), kWindowSendScore) << "the held control answered the question";
    EXPECT_EQ(platform.Requests().size(), requests) << "the result was sent unasked";

    PressAgain(chooser);  // Yes is selected
    EXPECT_EQ(form->WindowOpen(), kWindowSending);
    chooser.hold(false);
    Frames(3);
  }
}

}  // namespace
