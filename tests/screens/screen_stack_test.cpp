#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "screens/menu_list.h"
#include "screens/screen_stack.h"
#include "support/headless_form_fixture.h"

namespace {

using TLog = std::vector<std::string>;

// A screen that writes down what the stack asks of it, and may act when chosen.
class TLoggedScreen final : public TScreen {
 public:
  TLoggedScreen(TLog& log, std::string name, uint8_t number, bool window, int item = -1)
      : log_(log), name_(std::move(name)), number_(number), window_(window), hasMenu_(item >= 0) {
    menu_.Item = item;
  }
  ~TLoggedScreen() override { log_.push_back(name_ + " gone"); }

  std::function<void()> OnAnswer;
  std::function<void()> OnActivate;

  uint8_t Number() const override { return number_; }
  bool IsWindow() const override { return window_; }
  void Enter() override { log_.push_back(name_ + " enter"); }
  void Leave() override { log_.push_back(name_ + " leave"); }
  void Answer(int) override {
    log_.push_back(name_ + " answer");
    if (OnAnswer) OnAnswer();
  }
  void Step(int) override { log_.push_back(name_ + " step"); }
  void DrawTexts() override { log_.push_back(name_ + " texts"); }
  void StepUnderWindow() override { log_.push_back(name_ + " under window"); }
  void Activate(int item) override {
    log_.push_back(name_ + " chose " + std::to_string(item));
    if (OnActivate) OnActivate();
    log_.push_back(name_ + " done");  // its own member, after whatever the choice did
  }
  TMenuList* Menu() override { return hasMenu_ ? &menu_ : nullptr; }

 private:
  TLog& log_;
  std::string name_;
  uint8_t number_;
  bool window_;
  bool hasMenu_;
  TMenuList menu_;
};

struct ScreenStack : test_support::THeadlessFormFixture {
  TLog log;
  std::unique_ptr<TScreenStack> stack;

  void SetUp() override {
    THeadlessFormFixture::SetUp();
    stack = std::make_unique<TScreenStack>(form->Host());
  }
  void TearDown() override {
    stack.reset();
    THeadlessFormFixture::TearDown();
  }
  std::unique_ptr<TLoggedScreen> Make(const std::string& name, uint8_t number, bool window,
                                      int item = -1) {
    return std::make_unique<TLoggedScreen>(log, name, number, window, item);
  }
};

// The numbers the trace records are the stack's: a window without buttons leaves the
// selection beneath it in force, and with no screen at all the selection stays as the last
// screen left it.
TEST_F(ScreenStack, GivesTheTracesNumbers) {
  struct TStep {
    const char* what;
    std::function<void()> act;
    uint8_t screen, window;
    int item;
  };
  const TStep steps[] = {
      {"a screen", [&] { stack->Replace(Make("menu", 1, false, 3)); }, 1, 0, 3},
      {"a window without buttons", [&] { EXPECT_TRUE(stack->Push(Make("banner", 6, true))); }, 1, 6,
       3},
      {"a second window", [&] { EXPECT_FALSE(stack->Push(Make("pause", 5, true))); }, 1, 6, 3},
      {"the window closed", [&] { stack->Pop(); }, 1, 0, 3},
      {"a question", [&] { stack->Push(Make("question", 1, true, 12)); }, 1, 1, 12},
      {"it closed", [&] { stack->Pop(); }, 1, 0, 3},
      {"no screen", [&] { stack->Replace(nullptr); }, 0, 0, 3},
  };
  for (const TStep& step : steps) {
    step.act();
    EXPECT_EQ(stack->ScreenType(), step.screen) << step.what;
    EXPECT_EQ(stack->WindowOpen(), step.window) << step.what;
    EXPECT_EQ(stack->MenuItem(), step.item) << step.what;
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), "pause enter"), 0) << "the refused window";
}

// A question answered by key gives the rest of its frame to what its answer leaves on top:
// the next window's texts and first step, then the screen's part beneath.
TEST_F(ScreenStack, RunsAWindowsFrameForWhateverItsAnswerLeavesOnTop) {
  stack->Replace(Make("game", 5, false, 0));
  auto question = Make("question", 2, true, 12);
  question->OnAnswer = [&] {
    stack->Pop();
    stack->Push(Make("entry", 8, true));
  };
  stack->Push(std::move(question));
  log.clear();
  stack->Step(0);
  EXPECT_EQ(log, (TLog{"question answer", "question leave", "entry enter", "entry texts",
                       "entry step", "game under window"}));
}

// A screen whose choice replaces it goes on to its end; it is let go with the next frame.
TEST_F(ScreenStack, KeepsAReplacedScreenUntilTheNextFrame) {
  auto options = Make("options", 2, false, 6);
  options->OnActivate = [&] { stack->Replace(Make("menu", 1, false, 2)); };
  stack->Replace(std::move(options));
  log.clear();
  stack->Activate(6);
  EXPECT_EQ(log, (TLog{"options chose 6", "options leave", "menu enter", "options done"}));
  stack->Step(0);
  EXPECT_EQ(log.back(), "menu step");
  EXPECT_EQ(log.end()[-2], "options gone");
}

}  // namespace
