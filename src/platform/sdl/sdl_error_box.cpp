#include "platform/sdl/sdl_error_box.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/text_rasterizer.h"

namespace platform {

namespace {

// The game's events that arrive while the box is open: a handful of window changes, kept up
// to this many however long the box stays.
constexpr size_t kKeptEvents = 256;

bool ClosesBox(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE || key == SDLK_ESCAPE;
}

TBoxStep BoxWindowStep(const SDL_WindowEvent& window, Uint32 boxId) {
  if (window.windowID != boxId) return TBoxStep::Keep;
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      return TBoxStep::Close;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      return TBoxStep::Repaint;
    default:
      return TBoxStep::Ignore;
  }
}

TBoxStep BoxButtonStep(const SDL_MouseButtonEvent& press, Uint32 boxId, const TBoxRect& button,
                       bool& pressedOnButton) {
  if (press.windowID != boxId || press.button != SDL_BUTTON_LEFT) return TBoxStep::Ignore;
  const bool onButton = button.Contains(press.x, press.y);
  if (press.type == SDL_MOUSEBUTTONDOWN) {
    pressedOnButton = onButton;
    return TBoxStep::Ignore;
  }
  const bool clicked = pressedOnButton && onButton;
  pressedOnButton = false;
  return clicked ? TBoxStep::Close : TBoxStep::Ignore;
}

void Paint(SDL_Window* box, const TErrorBoxPicture& picture) {
  SDL_Surface* screen = SDL_GetWindowSurface(box);
  if (!screen) return;
  SDL_Surface* drawn = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(picture.pixels.data()), picture.width, picture.height, 32,
      picture.width * 4, SDL_PIXELFORMAT_RGB888);
  if (!drawn) return;
  SDL_BlitSurface(drawn, nullptr, screen, nullptr);
  SDL_FreeSurface(drawn);
  SDL_UpdateWindowSurface(box);
}

// A dialog to the window manager (no maximising, kept over its parent), above the game's
// window even when that is full screen.
SDL_Window* OpenBoxWindow(SDL_Window* parent, const std::string& title, int width, int height) {
  const int display = parent ? std::max(SDL_GetWindowDisplayIndex(parent), 0) : 0;
  SDL_SetHint(SDL_HINT_X11_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE_DIALOG");
  SDL_Window* box = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                     SDL_WINDOWPOS_CENTERED_DISPLAY(display), width, height,
                                     SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP);
  SDL_ResetHint(SDL_HINT_X11_WINDOW_TYPE);
  if (!box) return nullptr;
  if (parent) SDL_SetWindowModalFor(box, parent);
  SDL_ShowWindow(box);
  SDL_RaiseWindow(box);
  return box;
}

}  // namespace

TBoxStep ErrorBoxStep(const SDL_Event& event, Uint32 boxId, const TBoxRect& button,
                      bool& pressedOnButton) {
  switch (event.type) {
    case SDL_QUIT:
      return TBoxStep::CloseAndKeep;
    case SDL_WINDOWEVENT:
      return BoxWindowStep(event.window, boxId);
    case SDL_KEYDOWN:
      return event.key.windowID == boxId && !event.key.repeat && ClosesBox(event.key.keysym.sym)
                 ? TBoxStep::Close
                 : TBoxStep::Ignore;
    // A key let go is the game's whichever window has the focus: a key held in the game when
    // the box came up is not left held.
    case SDL_KEYUP:
      return TBoxStep::Keep;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return BoxButtonStep(event.button, boxId, button, pressedOnButton);
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
    case SDL_FINGERDOWN:
    case SDL_FINGERUP:
    case SDL_FINGERMOTION:
      return TBoxStep::Ignore;
    default:
      return TBoxStep::Keep;
  }
}

bool ShowErrorBox(SDL_Window* parent, TTextRasterizer& fonts, const std::string& title,
                  const std::string& utf8Message) {
  TErrorBoxPicture picture;
  try {
    picture = DrawErrorBox(fonts, utf8Message);
  } catch (const std::exception&) {
    return false;  // no font: the window system's box is better than none
  }
  SDL_Window* box = OpenBoxWindow(parent, title, picture.width, picture.height);
  if (!box) return false;
  const Uint32 boxId = SDL_GetWindowID(box);
  std::vector<SDL_Event> kept;
  bool pressedOnButton = false;
  Paint(box, picture);
  for (bool open = true; open;) {
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) break;
    const TBoxStep step = ErrorBoxStep(event, boxId, picture.button, pressedOnButton);
    if ((step == TBoxStep::Keep && kept.size() < kKeptEvents) || step == TBoxStep::CloseAndKeep)
      kept.push_back(event);
    if (step == TBoxStep::Repaint) Paint(box, picture);
    open = step != TBoxStep::Close && step != TBoxStep::CloseAndKeep;
  }
  SDL_DestroyWindow(box);
  for (SDL_Event& event : kept) SDL_PushEvent(&event);
  return true;
}

}  // namespace platform
