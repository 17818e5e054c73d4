#include "platform/sdl/sdl_error_box.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using platform::TBoxStep;

constexpr Uint32 kBox = 7;
constexpr Uint32 kGame = 1000;  // no window of the dummy driver has it
const platform::TBoxRect kButton{100, 80, 96, 30};

SDL_Event Key(Uint32 type, Uint32 window, SDL_Keycode key, Uint8 repeat = 0) {
  SDL_Event event{};
  event.type = type;
  event.key.windowID = window;
  event.key.keysym.sym = key;
  event.key.repeat = repeat;
  return event;
}

SDL_Event Window(Uint32 window, Uint8 what) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = window;
  event.window.event = what;
  return event;
}

SDL_Event Button(Uint32 type, Uint32 window, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.windowID = window;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event Plain(Uint32 type) {
  SDL_Event event{};
  event.type = type;
  return event;
}

// The box is modal: it closes on its own keys and button, drops the input meant for the
// game's window, and hands on the rest (a key let go, the game window's changes, the end).
TEST(SdlErrorBox, ClosesOnItsKeysAndButtonAndKeepsTheGamesEvents) {
  const struct {
    const char* what;
    SDL_Event event;
    TBoxStep step;
  } kSteps[] = {
      {"Enter", Key(SDL_KEYDOWN, kBox, SDLK_RETURN), TBoxStep::Close},
      {"Escape", Key(SDL_KEYDOWN, kBox, SDLK_ESCAPE), TBoxStep::Close},
      {"Space", Key(SDL_KEYDOWN, kBox, SDLK_SPACE), TBoxStep::Close},
      {"Enter held from the game", Key(SDL_KEYDOWN, kBox, SDLK_RETURN, 1), TBoxStep::Ignore},
      {"a letter", Key(SDL_KEYDOWN, kBox, SDLK_a), TBoxStep::Ignore},
      {"Enter in the game's window", Key(SDL_KEYDOWN, kGame, SDLK_RETURN), TBoxStep::Ignore},
      {"a key let go", Key(SDL_KEYUP, kBox, SDLK_LEFT), TBoxStep::Keep},
      {"typing", Plain(SDL_TEXTINPUT), TBoxStep::Ignore},
      {"the box's close button", Window(kBox, SDL_WINDOWEVENT_CLOSE), TBoxStep::Close},
      {"the box uncovered", Window(kBox, SDL_WINDOWEVENT_EXPOSED), TBoxStep::Repaint},
      {"the game's focus lost", Window(kGame, SDL_WINDOWEVENT_FOCUS_LOST), TBoxStep::Keep},
      {"the game's close button", Window(kGame, SDL_WINDOWEVENT_CLOSE), TBoxStep::Keep},
      {"the session's end", Plain(SDL_QUIT), TBoxStep::CloseAndKeep},
      {"a pad plugged in", Plain(SDL_JOYDEVICEADDED), TBoxStep::Keep},
      {"a move over the game", Plain(SDL_MOUSEMOTION), TBoxStep::Ignore},
  };
  for (const auto& s : kSteps) {
    bool pressed = false;
    EXPECT_EQ(platform::ErrorBoxStep(s.event, kBox, kButton, pressed), s.step) << s.what;
  }
}

TEST(SdlErrorBox, AClickIsAPressAndAReleaseBothOnTheButton) {
  const struct {
    int pressX, releaseX;
    Uint32 pressWindow;
    TBoxStep step;
  } kClicks[] = {
      {150, 150, kBox, TBoxStep::Close},   {99, 150, kBox, TBoxStep::Ignore},
      {150, 196, kBox, TBoxStep::Ignore},  {195, 100, kBox, TBoxStep::Close},
      {150, 150, kGame, TBoxStep::Ignore},
  };
  for (const auto& c : kClicks) {
    bool pressed = false;
    const SDL_Event press = Button(SDL_MOUSEBUTTONDOWN, c.pressWindow, c.pressX, 90);
    EXPECT_EQ(platform::ErrorBoxStep(press, kBox, kButton, pressed), TBoxStep::Ignore);
    const SDL_Event release = Button(SDL_MOUSEBUTTONUP, c.pressWindow, c.releaseX, 90);
    EXPECT_EQ(platform::ErrorBoxStep(release, kBox, kButton, pressed), c.step)
        << c.pressX << " to " << c.releaseX;
  }
}

// The whole box on SDL's dummy driver: the session ends while it is up, so it closes at once;
// the game's events from before come back in their order, its input does not, and the end
// is passed on.
TEST(SdlErrorBox, TheGameGetsItsEventsBackWhenTheBoxCloses) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
  SDL_Event focus = Window(kGame, SDL_WINDOWEVENT_FOCUS_LOST);
  SDL_Event typed = Key(SDL_KEYDOWN, kGame, SDLK_y);
  SDL_Event end = Plain(SDL_QUIT);
  for (SDL_Event* event : {&focus, &typed, &end}) SDL_PushEvent(event);
  platform::TTextRasterizer fonts;
  EXPECT_TRUE(platform::ShowErrorBox(nullptr, fonts, "Перолёт", "Файл рекордов повреждён"));
  // Events pushed after a wait come out on the next round of polling: two empty rounds end
  // the queue.
  std::vector<Uint32> after;
  SDL_Event event;
  for (int empty = 0; empty < 2;) {
    if (!SDL_PollEvent(&event)) {
      ++empty;
    } else if (event.type != SDL_WINDOWEVENT || event.window.windowID == kGame) {
      after.push_back(event.type);
    }
  }
  EXPECT_EQ(after, (std::vector<Uint32>{SDL_WINDOWEVENT, SDL_QUIT}));
  SDL_Quit();
  unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
