#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/events.h"

namespace platform {

class TMixer;
class TSongLibrary;
class TTextRasterizer;

// Where a window stands on the desktop, so it can be put back after a full-screen period.
struct TWindowPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct TPoint {
  int x = 0;
  int y = 0;
};

// Raw joystick readings as the basic platform joystick reports them: unsigned positions with
// their calibrated range, and one bit a button.
struct TJoystickRaw {
  static constexpr int kAxes = 3;
  std::array<uint32_t, kAxes> position{};
  std::array<uint32_t, kAxes> minimum{};
  std::array<uint32_t, kAxes> maximum{};
  uint32_t buttons = 0;
};

// A game controller whose layout is known: the four directions from its D-pad or left stick,
// and the three buttons the game gives a meaning.
struct TControllerState {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
  bool south = false;
  bool start = false;
  bool back = false;
};

// What the display asks of the operating system. The pixel buffer is 32 bits a pixel,
// red × 65536 + green × 256 + blue.
struct TDisplayRequest {
  bool fullScreen = false;
  int width = 800;
  int height = 600;
  int bitCount = 32;
};

// The one interface through which the game reaches the operating system. The SDL
// implementation drives a real window; the headless one runs on a scripted clock.
class TPlatform {
 public:
  virtual ~TPlatform() = default;

  // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
  virtual uint32_t Ticks() = 0;

  virtual bool PollEvent(TEvent& event) = 0;
  // Blocks until an event arrives or the time-out passes (used while the game is inactive).
  virtual void WaitEvent(int timeoutMs) = 0;
  // Active: the window has the input focus and is not minimised.
  virtual bool AppActive() = 0;

  // Display. Returns false when the requested mode cannot be set.
  virtual bool DisplayInitialize(const TDisplayRequest& request) = 0;
  virtual void DisplayFinalize() = 0;
  virtual void Present(const uint32_t* pixels, int width, int height) = 0;
  // A lost render target (device reset) must be restored before the next present.
  virtual bool TargetLost() = 0;
  virtual bool RestoreTarget() = 0;
  // The display's refresh rate in Hz, never below 2.
  virtual int RefreshRate() = 0;
  // Waits for the next frame's deadline at the given rate.
  virtual void PaceFrame(int rateHz) = 0;

  // The window.
  virtual void SetTitle(const std::string& utf8Title) = 0;
  virtual void SetCentered(bool centered) = 0;
  virtual void SetBordered(bool bordered) = 0;
  virtual TWindowPlacement GetWindowPlacement() = 0;
  virtual void SetWindowPlacement(const TWindowPlacement& placement) = 0;
  virtual void Minimize() = 0;
  virtual void SetIcon(const uint32_t* pixels, int width, int height) = 0;

  // The pointer. ShowCursor keeps a display count as the Windows call does and returns it.
  virtual int ShowCursor(bool show) = 0;
  virtual TPoint GetCursorPos() = 0;
  virtual void SetCursorPos(TPoint screenPos) = 0;
  virtual TPoint GetWindowPos() = 0;

  // Keyboard: 256 bytes indexed by virtual-key code, bit 7 set while the key is down.
  virtual void GetKeyboardState(std::array<uint8_t, 256>& table) = 0;
  // The game window is the one that receives input.
  virtual bool IsForeground() = 0;
  virtual bool ReadJoystick(int id, TJoystickRaw& raw) = 0;
  // False while no known controller is connected (a device of unknown layout is read as the
  // joystick instead).
  virtual bool ReadController(TControllerState& state) = 0;

  // Audio: the mixer the sounds and the music play through; null when there is no device.
  virtual TMixer* Mixer() = 0;
  // The music modules, played through the mixer.
  virtual TSongLibrary& Songs() = 0;
  // The installed fonts the game's texts and the error box are drawn with, loaded once.
  virtual TTextRasterizer& Fonts() = 0;

  // Opens an http or https address in the user's browser; false when it could not.
  virtual bool OpenUrl(const std::string& url) = 0;
  // One blocking HTTP GET whose answer is dropped; false when it failed.
  virtual bool HttpGet(const std::string& url) = 0;
  // One blocking HTTP POST of body (application/octet-stream) whose answer is dropped; false
  // when it failed.
  virtual bool HttpPost(const std::string& url, const std::vector<uint8_t>& body) = 0;
  virtual bool FileExists(const std::string& path) = 0;

  // Shows an error or a notice to the player: a message box where there is a display, and
  // standard error always.
  virtual void ShowError(const std::string& title, const std::string& utf8Message) = 0;
};

}  // namespace platform
