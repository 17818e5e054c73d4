// Turns SDL's events into the game's: virtual-key codes with the shift set, code page 1251
// characters, mouse positions in surface pixels, and activation changes.
#include <algorithm>

#include "platform/sdl/sdl_keymap.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/vk_codes.h"
#include "text/cp1251.h"

namespace platform {

namespace {

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

bool TypesCharacter(int code, int modifiers) {
  return (code == vk::kBack || code == vk::kReturn) && !(modifiers & (KMOD_ALT | KMOD_CTRL));
}

int ClampX(int x) {
  return std::clamp(x, 0, kSurfaceWidth - 1);
}
int ClampY(int y) {
  return std::clamp(y, 0, kSurfaceHeight - 1);
}

}  // namespace

// The shift set as it stood when the event being translated happened: SDL's own state
// functions already reflect every event pumped so far, so the modifiers come from the key
// events and the buttons from the button events, in queue order.
int TSdlPlatform::ShiftState() const {
  int shift = 0;
  if (modifiers_ & KMOD_SHIFT) shift |= kShiftShift;
  if (modifiers_ & KMOD_ALT) shift |= kShiftAlt;
  if (modifiers_ & KMOD_CTRL) shift |= kShiftCtrl;
  constexpr int kButtonShift[] = {kShiftLeft, kShiftRight, kShiftMiddle};
  for (int b = 0; b < 3; ++b) {
    if (mouseButtons_ & (1 << b)) shift |= kButtonShift[b];
  }
  return shift;
}

bool TSdlPlatform::PollEvent(TEvent& event) {
  FitToFrame();
  SettlePlacement();
  SDL_Event in;
  while (SDL_PollEvent(&in)) {
    if (Translate(in, event)) return true;
  }
  return false;
}

void TSdlPlatform::WaitEvent(int timeoutMs) {
  // The event stays queued; PollEvent takes it.
  SDL_WaitEventTimeout(nullptr, timeoutMs);
}

bool TSdlPlatform::UpdateActive(bool focused, bool minimized, TEvent& out) {
  const bool wasActive = AppActive();
  focused_ = focused;
  minimized_ = minimized;
  if (AppActive() == wasActive) return false;
  hiddenByBossKey_ = false;
  FollowActivity(AppActive());
  out = TEvent{AppActive() ? TEventKind::Activate : TEventKind::Deactivate};
  return true;
}

void TSdlPlatform::WakeFromBossKey() {
  if (!hiddenByBossKey_ || !AppActive()) return;
  hiddenByBossKey_ = false;
  FollowActivity(true);
}

bool TSdlPlatform::TranslateWindowEvent(const SDL_WindowEvent& in, TEvent& out) {
  // The error box's last events (its focus lost as it closes) are not the game window's.
  if (window_ && in.windowID != SDL_GetWindowID(window_)) return false;
  switch (in.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      return UpdateActive(true, false, out);
    case SDL_WINDOWEVENT_FOCUS_LOST:
      return UpdateActive(false, minimized_, out);
    case SDL_WINDOWEVENT_MINIMIZED:
      return UpdateActive(focused_, true, out);
    case SDL_WINDOWEVENT_RESTORED:
      return UpdateActive(focused_, false, out);
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      SettlePlacement();
      return false;
    case SDL_WINDOWEVENT_EXPOSED:
      SettlePlacement();
      out = TEvent{TEventKind::Expose};
      return true;
    case SDL_WINDOWEVENT_CLOSE:
      out = TEvent{TEventKind::CloseRequest};
      return true;
    default:
      return false;
  }
}

bool TSdlPlatform::Translate(const SDL_Event& in, TEvent& out) {
  switch (in.type) {
    case SDL_QUIT:
      out = TEvent{TEventKind::Quit};
      return true;
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(in.window, out);
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      controllers_.HandleDeviceEvent(in);
      return false;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      modifiers_ = in.key.keysym.mod;
      const int code = VkFromKey(in.key.keysym.scancode, in.key.keysym.sym);
      if (code == 0) return false;
      const bool down = in.type == SDL_KEYDOWN;
      // Backspace and Enter also arrive as characters, repeating while held; with Alt or Ctrl
      // held they type nothing (Alt+Enter switches the display and must not press a button).
      if (down && TypesCharacter(code, modifiers_)) {
        if (in.key.repeat) {
          out = TEvent{TEventKind::Char, code};
          return true;
        }
        SDL_Event charEvent{};
        charEvent.type = charEventType_;
        charEvent.user.code = code;
        SDL_PushEvent(&charEvent);
      }
      if (in.key.repeat) return false;
      if (down) WakeFromBossKey();
      out = TEvent{down ? TEventKind::KeyDown : TEventKind::KeyUp, code, ShiftState()};
      return true;
    }
    case SDL_TEXTINPUT: {
      const std::string typed = text::Cp1251FromUtf8(in.text.text);
      if (typed.empty()) return false;
      // One character at a time: push the rest back as single characters.
      for (size_t i = 1; i < typed.size(); ++i) {
        SDL_Event charEvent{};
        charEvent.type = charEventType_;
        charEvent.user.code = static_cast<unsigned char>(typed[i]);
        SDL_PushEvent(&charEvent);
      }
      out = TEvent{TEventKind::Char, static_cast<unsigned char>(typed[0])};
      return true;
    }
    case SDL_MOUSEMOTION: {
      ShapePointer(in.motion.x, in.motion.y);
      const TPoint at = presenter_.ToPicture(in.motion.x, in.motion.y);
      out = TEvent{TEventKind::MouseMove, 0, ShiftState(), ClampX(at.x), ClampY(at.y)};
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int button = ButtonIndex(in.button.button);
      if (button < 0) return false;
      const bool down = in.type == SDL_MOUSEBUTTONDOWN;
      if (down) {
        WakeFromBossKey();
        mouseButtons_ |= 1 << button;
      } else {
        mouseButtons_ &= ~(1 << button);
      }
      const TPoint at = presenter_.ToPicture(in.button.x, in.button.y);
      const int x = ClampX(at.x);
      const int y = ClampY(at.y);
      // A left click follows its release; the second press of a double click is the
      // double click, and its release is no further click.
      if (button == 0 && ((down && in.button.clicks == 2) || (!down && in.button.clicks == 1))) {
        SDL_Event click{};
        click.type = clickEventType_;
        click.user.code = down ? 2 : 1;
        click.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(x));
        click.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(y));
        SDL_PushEvent(&click);
      }
      int shift = ShiftState();
      if (down && in.button.clicks == 2) shift |= kShiftDouble;
      out = TEvent{down ? TEventKind::MouseDown : TEventKind::MouseUp, 0, shift, x, y, button};
      return true;
    }
    default:
      if (in.type == charEventType_) {
        out = TEvent{TEventKind::Char, in.user.code};
        return true;
      }
      if (in.type == clickEventType_) {
        out = TEvent{in.user.code == 2 ? TEventKind::DblClick : TEventKind::Click, 0, 0,
                     static_cast<int>(reinterpret_cast<intptr_t>(in.user.data1)),
                     static_cast<int>(reinterpret_cast<intptr_t>(in.user.data2))};
        return true;
      }
      return false;
  }
}

}  // namespace platform
