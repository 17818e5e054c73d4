#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "platform/http_get.h"
#include "platform/links.h"
#include "platform/sdl/sdl_error_box.h"
#include "platform/sdl/sdl_keymap.h"
#include "platform/sdl/sdl_renderer_probe.h"
#include "platform/vk_codes.h"
#include "text/cp1251.h"

namespace platform {

namespace {

constexpr int kAudioRate = 44100;
constexpr int kAudioChannels = 2;
constexpr int kAudioSamples = 1024;
constexpr int kFallbackRefreshRate = 60;
constexpr uint8_t kKeyDown = 0x80;
// SDL reports axes from -32768 to 32767; the basic joystick interface reports 0 to 65535.
constexpr int kAxisOffset = 32768;
constexpr uint32_t kAxisMaximum = 65535;

}  // namespace

TSdlPlatform::TSdlPlatform() {
  // Closing the window is a request the game answers with its quit question; only a signal
  // (SIGTERM, SIGINT) or logout becomes SDL_QUIT.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "0");
  // The window's own surface goes to the display by shared memory; letting SDL put it through
  // OpenGL instead costs a third of a core where GL is emulated in software.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // SDL keeps the screensaver away from the start; the game does so only while it is in front.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    throw std::runtime_error(std::string("The display cannot be opened: ") + SDL_GetError());
  }
  charEventType_ = SDL_RegisterEvents(2);
  clickEventType_ = charEventType_ + 1;
  // Devices present at start arrive as plug-in events, like those plugged in later.
  controllers_.Start();
  OpenAudio();
  songs_ = std::make_unique<TSongLibrary>(mixer_.get());
  SDL_StartTextInput();
}

TSdlPlatform::~TSdlPlatform() {
  if (audio_ != 0) SDL_CloseAudioDevice(audio_);
  songs_.reset();
  presenter_.UseRenderer(nullptr);
  if (window_) SDL_DestroyWindow(window_);
  if (handCursor_) SDL_FreeCursor(handCursor_);
  SDL_Quit();
}

void TSdlPlatform::OpenAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;  // no sound device: the game is silent
  SDL_AudioSpec wanted{};
  wanted.freq = kAudioRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kAudioChannels;
  wanted.samples = kAudioSamples;
  wanted.callback = &TSdlPlatform::AudioCallback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  audio_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (audio_ == 0) return;
  mixer_ = std::make_unique<TMixer>(obtained.freq);
  mixer_->SetEffectsHeard(AppActive());
  SDL_PauseAudioDevice(audio_, 0);
}

void TSdlPlatform::AudioCallback(void* self, Uint8* stream, int bytes) {
  auto* platform = static_cast<TSdlPlatform*>(self);
  const int frames = bytes / static_cast<int>(kAudioChannels * sizeof(int16_t));
  platform->mixer_->Mix(reinterpret_cast<int16_t*>(stream), frames);
}

void TSdlPlatform::SetPresentation(const TPresentation& presentation) {
  presentation_ = presentation;
  presenter_.SetMode(presentation.scale);
}

// The window is the picture times its scale, resizable by the player. The renderer is chosen
// with it: the GPU only where it is hardware (or where the player asked for it).
bool TSdlPlatform::CreateWindow(int width, int height) {
  ChooseWindowSize(width, height);
  const int position = centered_ ? SDL_WINDOWPOS_CENTERED : SDL_WINDOWPOS_UNDEFINED;
  window_ = SDL_CreateWindow(title_.c_str(), position, position, windowSize_.width,
                             windowSize_.height, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (!window_) return false;
  SDL_SetWindowMinimumSize(window_, kSmallestWindow.width, kSmallestWindow.height);
  if (presentation_.renderer != TRenderer::Surface) {
    presenter_.UseRenderer(
        MakeRenderer(window_, presentation_.vsync, presentation_.renderer == TRenderer::Auto));
  }
  handCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
  ShapePointer(0, 0);
  return true;
}

void TSdlPlatform::ShapePointer(int windowX, int windowY) {
  const bool onPicture = presenter_.OnPicture(windowX, windowY);
  if (!handCursor_ || onPicture == pointerOnPicture_) return;
  pointerOnPicture_ = onPicture;
  SDL_SetCursor(onPicture ? handCursor_ : SDL_GetDefaultCursor());
}

// Full screen is the desktop's own mode, the picture scaled to fit it: no mode change, so the
// screen's sharpness and the other windows stay as they were.
bool TSdlPlatform::EnterFullScreen() {
  return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool TSdlPlatform::DisplayInitialize(const TDisplayRequest& request) {
  if (!window_ && !CreateWindow(request.width, request.height)) return false;
  if (request.fullScreen) {
    if (!EnterFullScreen()) return false;
    fullScreen_ = true;
  } else if (!pendingPlacement_) {
    // Back from full screen, a window with a placement to restore keeps the size it had.
    SDL_SetWindowSize(window_, windowSize_.width, windowSize_.height);
    FitWhenFramed();
  }
  targetLost_ = false;
  return presenter_.UsesRenderer() || SDL_GetWindowSurface(window_) != nullptr;
}

// Releasing the display leaves full screen, so the window's placement can be restored before
// the display is set up again in a window.
void TSdlPlatform::DisplayFinalize() {
  if (window_ && fullScreen_) SDL_SetWindowFullscreen(window_, 0);
  fullScreen_ = false;
}

void TSdlPlatform::Present(const uint32_t* pixels, int width, int height) {
  if (!presenter_.Present(window_, pixels, width, height)) targetLost_ = true;
}

// The window's surface is fetched afresh for every frame; restoring is having one again.
bool TSdlPlatform::RestoreTarget() {
  targetLost_ = !window_ || (!presenter_.UsesRenderer() && !SDL_GetWindowSurface(window_));
  return !targetLost_;
}

int TSdlPlatform::RefreshRate() {
  SDL_DisplayMode mode{};
  const int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  const bool known = (window_ && fullScreen_) ? SDL_GetWindowDisplayMode(window_, &mode) == 0
                                              : SDL_GetCurrentDisplayMode(display, &mode) == 0;
  // 0 and 1 stand for "the hardware's default": Xvfb and dummy drivers report them.
  return known && mode.refresh_rate > 1 ? mode.refresh_rate : kFallbackRefreshRate;
}

void TSdlPlatform::SetTitle(const std::string& utf8Title) {
  title_ = utf8Title;
  if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

void TSdlPlatform::SetBordered(bool bordered) {
  if (window_ && !fullScreen_) SDL_SetWindowBordered(window_, bordered ? SDL_TRUE : SDL_FALSE);
}

TWindowPlacement TSdlPlatform::GetWindowPlacement() {
  TWindowPlacement placement;
  if (!window_) return placement;
  SDL_GetWindowPosition(window_, &placement.x, &placement.y);
  SDL_GetWindowSize(window_, &placement.width, &placement.height);
  return placement;
}

// Right after full screen the window manager has not yet put the frame back, so a move can
// land off by the frame's size, even after the window once stood in the right place. For a
// while after the placement the window is watched and put back whenever it strays.
void TSdlPlatform::SetWindowPlacement(const TWindowPlacement& placement) {
  if (!window_ || fullScreen_) return;
  if (placement.width > 0 && placement.height > 0) {
    SDL_SetWindowSize(window_, placement.width, placement.height);
  }
  SDL_SetWindowPosition(window_, placement.x, placement.y);
  pendingPlacement_ = placement;
  placementDeadline_ = SDL_GetTicks() + kPlacementSettleMs;
  placementTries_ = kPlacementTries;
}

void TSdlPlatform::SettlePlacement() {
  if (!pendingPlacement_) return;
  if (!window_ || fullScreen_ || SDL_TICKS_PASSED(SDL_GetTicks(), placementDeadline_)) {
    pendingPlacement_.reset();
    return;
  }
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  if (x == pendingPlacement_->x && y == pendingPlacement_->y) return;
  if (placementTries_-- <= 0) {
    pendingPlacement_.reset();
    return;
  }
  SDL_SetWindowPosition(window_, pendingPlacement_->x, pendingPlacement_->y);
}

// The boss key hides the game at once, though the window manager minimises the window some
// time later: the effects fall silent and the screensaver may come from now on.
void TSdlPlatform::Minimize() {
  if (!window_) return;
  SDL_MinimizeWindow(window_);
  FollowActivity(false);
  hiddenByBossKey_ = true;
}

// As the game's sound buffers were heard only while its window had the focus, so the effects
// are; and a game in the background or minimised lets the desktop's screensaver and lock
// come, which SDL would otherwise keep away by resetting the idle timer twice a minute.
void TSdlPlatform::FollowActivity(bool active) {
  if (active) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
  if (mixer_) mixer_->SetEffectsHeard(active);
}

void TSdlPlatform::SetIcon(const uint32_t* pixels, int width, int height) {
  if (!window_ || !pixels) return;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

int TSdlPlatform::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCount_;
}

// The pointer is reported and placed in picture pixels from the window's corner, so steering
// by its moves feels the same at any scale.
TPoint TSdlPlatform::GetCursorPos() {
  TPoint point;
  SDL_GetGlobalMouseState(&point.x, &point.y);
  const TPoint window = GetWindowPos();
  const TPoint inPicture = presenter_.ToPicture(point.x - window.x, point.y - window.y);
  return {window.x + inPicture.x, window.y + inPicture.y};
}

void TSdlPlatform::SetCursorPos(TPoint screenPos) {
  const TPoint window = GetWindowPos();
  const TPoint onScreen = presenter_.FromPicture(screenPos.x - window.x, screenPos.y - window.y);
  SDL_WarpMouseGlobal(window.x + onScreen.x, window.y + onScreen.y);
}

TPoint TSdlPlatform::GetWindowPos() {
  TPoint point;
  if (window_) SDL_GetWindowPosition(window_, &point.x, &point.y);
  return point;
}

void TSdlPlatform::GetKeyboardState(std::array<uint8_t, 256>& table) {
  table.fill(0);
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  for (int scancode = 0; scancode < count; ++scancode) {
    if (!state[scancode]) continue;
    const int code = VkFromLayout(static_cast<SDL_Scancode>(scancode));
    if (code > 0 && code < 256) table[code] = kKeyDown;
  }
  // The side-specific codes stand beside the shared ones, as in the system's key table.
  const auto side = [&](SDL_Scancode sc, int code) {
    if (sc < count && state[sc]) table[code] = kKeyDown;
  };
  side(SDL_SCANCODE_LSHIFT, vk::kLShift);
  side(SDL_SCANCODE_RSHIFT, vk::kRShift);
  side(SDL_SCANCODE_LCTRL, vk::kLControl);
  side(SDL_SCANCODE_RCTRL, vk::kRControl);
  side(SDL_SCANCODE_LALT, vk::kLMenu);
  side(SDL_SCANCODE_RALT, vk::kRMenu);
}

bool TSdlPlatform::ReadJoystick(int id, TJoystickRaw& raw) {
  SDL_Joystick* joystick = controllers_.Joystick();
  if (id != 0 || !joystick || !SDL_JoystickGetAttached(joystick)) return false;
  SDL_JoystickUpdate();
  raw = TJoystickRaw{};
  const int axes = std::min(SDL_JoystickNumAxes(joystick), TJoystickRaw::kAxes);
  for (int a = 0; a < TJoystickRaw::kAxes; ++a) {
    const int value = a < axes ? SDL_JoystickGetAxis(joystick, a) : 0;
    raw.position[a] = static_cast<uint32_t>(value + kAxisOffset);
    raw.maximum[a] = kAxisMaximum;
  }
  const int buttons = std::min(SDL_JoystickNumButtons(joystick), 32);
  for (int b = 0; b < buttons; ++b) {
    if (SDL_JoystickGetButton(joystick, b)) raw.buttons |= 1u << b;
  }
  return true;
}

bool TSdlPlatform::OpenUrl(const std::string& url) {
  return IsWebUrl(url) && SDL_OpenURL(url.c_str()) == 0;
}

TTextRasterizer& TSdlPlatform::Fonts() {
  if (!fonts_) fonts_ = std::make_unique<TTextRasterizer>();
  return *fonts_;
}

bool TSdlPlatform::FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// Our own box first: SDL's draws with the window system's core fonts, which often have no
// Cyrillic at all. SDL's is the fallback where ours cannot be shown.
void TSdlPlatform::ShowError(const std::string& title, const std::string& utf8Message) {
  const std::string message = text::Utf8ForDisplay(utf8Message);
  std::cerr << title << ": " << message << std::endl;
  if (ShowErrorBox(window_, Fonts(), title, message)) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), window_);
}

}  // namespace platform

namespace platform {

bool TSdlPlatform::HttpGet(const std::string& url) {
  return platform::HttpGet(url);
}

bool TSdlPlatform::HttpPost(const std::string& url, const std::vector<uint8_t>& body) {
  return platform::HttpPost(url, body);
}

}  // namespace platform
