#pragma once

#include <SDL.h>

#include <memory>
#include <optional>

#include "platform/frame_pacer.h"
#include "platform/mixer.h"
#include "platform/music_library.h"
#include "platform/platform.h"
#include "platform/presentation.h"
#include "platform/sdl/sdl_controllers.h"
#include "platform/sdl/sdl_presenter.h"
#include "platform/text_rasterizer.h"

namespace platform {

// The real platform: one SDL window the 800 × 600 picture is scaled into each frame, SDL's
// keyboard, mouse and joystick, and an audio device whose callback pulls from our mixer.
class TSdlPlatform final : public TPlatform {
 public:
  TSdlPlatform();
  ~TSdlPlatform() override;
  TSdlPlatform(const TSdlPlatform&) = delete;
  TSdlPlatform& operator=(const TSdlPlatform&) = delete;

  // How the picture is shown; takes effect when the window is made, its scale mode at once.
  void SetPresentation(const TPresentation& presentation);

  uint32_t Ticks() override { return SDL_GetTicks(); }
  bool PollEvent(TEvent& event) override;
  void WaitEvent(int timeoutMs) override;
  bool AppActive() override { return focused_ && !minimized_; }
  bool DisplayInitialize(const TDisplayRequest& request) override;
  void DisplayFinalize() override;
  void Present(const uint32_t* pixels, int width, int height) override;
  bool TargetLost() override { return targetLost_; }
  bool RestoreTarget() override;
  int RefreshRate() override;
  void PaceFrame(int rateHz) override { pacer_.Wait(rateHz); }
  void SetTitle(const std::string& utf8Title) override;
  void SetCentered(bool centered) override { centered_ = centered; }
  void SetBordered(bool bordered) override;
  TWindowPlacement GetWindowPlacement() override;
  void SetWindowPlacement(const TWindowPlacement& placement) override;
  void Minimize() override;
  void SetIcon(const uint32_t* pixels, int width, int height) override;
  int ShowCursor(bool show) override;
  TPoint GetCursorPos() override;
  void SetCursorPos(TPoint screenPos) override;
  TPoint GetWindowPos() override;
  void GetKeyboardState(std::array<uint8_t, 256>& table) override;
  bool IsForeground() override { return focused_ && !minimized_; }
  bool ReadJoystick(int id, TJoystickRaw& raw) override;
  bool ReadController(TControllerState& state) override { return controllers_.Read(state); }
  TMixer* Mixer() override { return mixer_.get(); }
  TSongLibrary& Songs() override { return *songs_; }
  TTextRasterizer& Fonts() override;
  bool OpenUrl(const std::string& url) override;
  bool HttpGet(const std::string& url) override;
  bool HttpPost(const std::string& url, const std::vector<uint8_t>& body) override;
  bool FileExists(const std::string& path) override;
  void ShowError(const std::string& title, const std::string& utf8Message) override;

 private:
  bool CreateWindow(int width, int height);
  int WindowScale(int width, int height);
  SDL_Rect UsableArea() const;
  void ChooseWindowSize(int width, int height);
  void FitWhenFramed();
  void FitToFrame();
  void FollowActivity(bool active);
  void WakeFromBossKey();
  bool EnterFullScreen();
  void OpenAudio();
  bool Translate(const SDL_Event& in, TEvent& out);
  bool TranslateWindowEvent(const SDL_WindowEvent& in, TEvent& out);
  bool UpdateActive(bool focused, bool minimized, TEvent& out);
  void SettlePlacement();
  void ShapePointer(int windowX, int windowY);
  int ShiftState() const;
  static void AudioCallback(void* self, Uint8* stream, int bytes);

  SDL_Window* window_ = nullptr;
  TSdlControllers controllers_;
  SDL_AudioDeviceID audio_ = 0;
  std::unique_ptr<TMixer> mixer_;
  std::unique_ptr<TSongLibrary> songs_;
  std::unique_ptr<TTextRasterizer> fonts_;  // made when a text is first drawn
  TFramePacer pacer_;
  TSdlPresenter presenter_;
  TPresentation presentation_;
  int windowScale_ = 1;
  // The picture's size, and the window's when it is not full screen and not resized by the
  // player.
  TSize picture_;
  TSize windowSize_;
  // Below this the picture would be too small to play.
  static constexpr TSize kSmallestWindow{320, 240};
  // A window waiting for its frame's size to fit itself to the desktop, until when.
  bool fitPending_ = false;
  Uint32 fitDeadline_ = 0;
  std::string title_;
  // How long after a placement the window manager may still move the window, and how often
  // the placement is put back in that time at most.
  static constexpr Uint32 kPlacementSettleMs = 2000;
  static constexpr int kPlacementTries = 20;
  std::optional<TWindowPlacement> pendingPlacement_;
  Uint32 placementDeadline_ = 0;
  int placementTries_ = 0;
  int cursorCount_ = 0;
  // The system's hand over the game's picture, its arrow over the border around it.
  SDL_Cursor* handCursor_ = nullptr;
  bool pointerOnPicture_ = false;
  // Our own events: characters split from text input, and clicks that follow a release.
  Uint32 charEventType_ = 0;
  Uint32 clickEventType_ = 0;
  int modifiers_ = 0;     // SDL_Keymod of the last key event
  int mouseButtons_ = 0;  // bit 0 left, 1 right, 2 middle
  bool centered_ = true;
  bool fullScreen_ = false;
  bool focused_ = false;
  bool minimized_ = false;
  bool targetLost_ = false;
  // Hidden by the boss key and not yet minimised by the window manager (one that does not
  // minimise leaves the window in front until the player presses something there).
  bool hiddenByBossKey_ = false;
};

}  // namespace platform
