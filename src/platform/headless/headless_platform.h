#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/mixer.h"
#include "platform/music_library.h"
#include "platform/platform.h"
#include "platform/text_rasterizer.h"

namespace platform {

// A platform without a window: a clock the caller sets, events the caller queues, a keyboard
// and pointer driven by those events, and a mixer that runs silently with the clock. Tests
// and the simulator look at what the game presented and asked for.
class THeadlessPlatform final : public TPlatform {
 public:
  static constexpr int kAudioRate = 44100;

  explicit THeadlessPlatform(int refreshRate = 60);

  // Scripting.
  void SetTicks(uint32_t ms);
  void QueueEvent(const TEvent& event);
  void KeyDown(int vk);
  void KeyUp(int vk);
  void TypeChar(int cp1251Code);
  void MoveMouse(int x, int y);
  void PressMouse(int button = 0);
  void ReleaseMouse(int button = 0);
  void Click();
  void DoubleClick();
  void RequestClose();
  void RequestQuit();
  void Expose();
  void SetFocus(bool focused);
  // A window manager that minimises some time after it is asked: Minimize() only asks, and
  // the window is minimised at CompleteMinimize().
  void DeferMinimize(bool defer) { deferMinimize_ = defer; }
  void CompleteMinimize();
  void SetForeground(bool foreground) { foreground_ = foreground; }
  void LoseTarget() { targetLost_ = true; }
  void SetRefreshRate(int hz) { refreshRate_ = hz; }
  void SetJoystick(std::optional<TJoystickRaw> raw) { joystick_ = raw; }
  // A controller plugged in (a state) or pulled out (none).
  void SetController(std::optional<TControllerState> state) { controller_ = state; }
  void FailDisplayModes(bool fail) { failDisplayModes_ = fail; }
  // A machine without sound: the mixer is not offered.
  void SetAudioDevice(bool present) { audioDevice_ = present; }

  // Inspection.
  bool Minimized() const { return minimized_; }
  bool Focused() const { return focused_; }
  bool DisplayInitialized() const { return displayInitialized_; }
  const TDisplayRequest& LastDisplayRequest() const { return lastRequest_; }
  const std::vector<uint32_t>& LastFrame() const { return lastFrame_; }
  int LastFrameWidth() const { return lastWidth_; }
  int LastFrameHeight() const { return lastHeight_; }
  int PresentCount() const { return presentCount_; }
  int CursorCount() const { return cursorCount_; }
  const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
  const std::vector<std::string>& Requests() const { return requests_; }
  const std::vector<std::string>& Errors() const { return errors_; }
  const std::string& Title() const { return title_; }
  bool Centered() const { return centered_; }
  bool Bordered() const { return bordered_; }

  // TPlatform.
  uint32_t Ticks() override { return ticks_; }
  bool PollEvent(TEvent& event) override;
  void WaitEvent(int) override {}
  bool AppActive() override { return focused_ && !minimized_; }
  bool DisplayInitialize(const TDisplayRequest& request) override;
  void DisplayFinalize() override { displayInitialized_ = false; }
  void Present(const uint32_t* pixels, int width, int height) override;
  bool TargetLost() override { return targetLost_; }
  bool RestoreTarget() override;
  int RefreshRate() override { return refreshRate_ > 1 ? refreshRate_ : kFallbackRate; }
  void PaceFrame(int) override {}
  void SetTitle(const std::string& utf8Title) override { title_ = utf8Title; }
  void SetCentered(bool centered) override { centered_ = centered; }
  void SetBordered(bool bordered) override { bordered_ = bordered; }
  TWindowPlacement GetWindowPlacement() override { return placement_; }
  void SetWindowPlacement(const TWindowPlacement& placement) override { placement_ = placement; }
  void Minimize() override;
  void SetIcon(const uint32_t*, int, int) override {}
  int ShowCursor(bool show) override { return show ? ++cursorCount_ : --cursorCount_; }
  TPoint GetCursorPos() override { return cursor_; }
  void SetCursorPos(TPoint screenPos) override { cursor_ = screenPos; }
  TPoint GetWindowPos() override { return {placement_.x, placement_.y}; }
  void GetKeyboardState(std::array<uint8_t, 256>& table) override { table = keys_; }
  bool IsForeground() override { return foreground_ && focused_ && !minimized_; }
  bool ReadJoystick(int id, TJoystickRaw& raw) override;
  bool ReadController(TControllerState& state) override {
    if (controller_) state = *controller_;
    return controller_.has_value();
  }
  TMixer* Mixer() override { return audioDevice_ ? &mixer_ : nullptr; }
  TSongLibrary& Songs() override { return songs_; }
  TTextRasterizer& Fonts() override;
  bool OpenUrl(const std::string& url) override;
  // Requests are recorded; they are sent only when a run asks for it (the simulator pointed
  // at a records server), since a test run has no network.
  bool HttpGet(const std::string& url) override;
  // Recorded as "POST <url> (<n> bytes)".
  bool HttpPost(const std::string& url, const std::vector<uint8_t>& body) override;
  void SendRequests(bool send) { sendRequests_ = send; }
  bool FileExists(const std::string& path) override;
  void ShowError(const std::string& title, const std::string& utf8Message) override;

 private:
  static constexpr int kFallbackRate = 60;

  int ShiftState() const;
  void SetActive(bool focused, bool minimized);

  uint32_t ticks_ = 0;
  std::deque<TEvent> events_;
  std::array<uint8_t, 256> keys_{};
  int mouseButtons_ = 0;
  TPoint mouse_;
  TPoint cursor_;
  bool focused_ = true;
  bool minimized_ = false;
  bool foreground_ = true;
  bool deferMinimize_ = false;
  bool minimizeAsked_ = false;
  bool displayInitialized_ = false;
  bool targetLost_ = false;
  bool failDisplayModes_ = false;
  bool audioDevice_ = true;
  int refreshRate_;
  TDisplayRequest lastRequest_;
  std::vector<uint32_t> lastFrame_;
  int lastWidth_ = 0;
  int lastHeight_ = 0;
  int presentCount_ = 0;
  int cursorCount_ = 0;
  std::string title_;
  bool centered_ = false;
  std::unique_ptr<TTextRasterizer> fonts_;  // made when a text is first drawn
  bool bordered_ = true;
  TWindowPlacement placement_{100, 100, 800, 600};
  std::optional<TJoystickRaw> joystick_;
  std::optional<TControllerState> controller_;
  TMixer mixer_{kAudioRate};
  TSongLibrary songs_{&mixer_};
  uint32_t audioTicks_ = 0;
  uint64_t audioRemainder_ = 0;
  std::vector<int16_t> audioScratch_;
  std::vector<std::string> openedUrls_;
  std::vector<std::string> requests_;
  bool sendRequests_ = false;
  std::vector<std::string> errors_;
};

}  // namespace platform
