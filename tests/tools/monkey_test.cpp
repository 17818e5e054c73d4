#include <gtest/gtest.h>

#include "monkey.h"
#include "support/headless_form_fixture.h"

namespace {

constexpr int kYes = 11;
constexpr int kFrames = 1500;

using Monkey = test_support::THeadlessFormFixture;

// Whatever the monkey does, the question to quit the program is answered No: asked at the end
// of a frame's input, after whatever the monkey did in that frame (a close request does that),
// and standing open with Yes selected (as the arrows can leave it).
TEST_F(Monkey, NeverAnswersTheQuestionToQuitYes) {
  Frames(150);  // the main menu's fade-in
  sim::TMonkey asked(18);
  for (int i = 0; i < kFrames && !form->Terminated(); ++i) {
    if (form->WindowOpen() != 0) form->Screens().Pop();
    asked.BeforeFrame(frames, *form, platform);
    platform.RequestClose();
    Frame();
  }
  EXPECT_FALSE(form->Terminated()) << "answered Yes in the frame it was asked";

  sim::TMonkey answering(12);
  int questions = 0;
  for (int i = 0; i < kFrames && !form->Terminated(); ++i) {
    if (form->WindowOpen() == 0) {
      form->OpenWindow(kWindowQuitGame);
      form->Screens().ActiveMenu()->Item = kYes;
      ++questions;
    }
    answering.BeforeFrame(frames, *form, platform);
    Frame();
  }
  EXPECT_FALSE(form->Terminated()) << "answered Yes";
  EXPECT_GT(questions, 10);
}

}  // namespace
