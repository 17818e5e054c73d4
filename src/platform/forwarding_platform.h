#pragma once

#include "platform/platform.h"

namespace platform {

// A platform that passes every call on to another; the recording and playing back platforms
// change only the calls they stand between.
class TForwardingPlatform : public TPlatform {
 public:
  explicit TForwardingPlatform(TPlatform& inner) : inner_(inner) {}

  TPlatform& Inner() { return inner_; }

  uint32_t Ticks() override { return inner_.Ticks(); }
  bool PollEvent(TEvent& event) override { return inner_.PollEvent(event); }
  void WaitEvent(int timeoutMs) override { inner_.WaitEvent(timeoutMs); }
  bool AppActive() override { return inner_.AppActive(); }
  bool DisplayInitialize(const TDisplayRequest& request) override {
    return inner_.DisplayInitialize(request);
  }
  void DisplayFinalize() override { inner_.DisplayFinalize(); }
  void Present(const uint32_t* pixels, int width, int height) override {
    inner_.Present(pixels, width, height);
  }
  bool TargetLost() override { return inner_.TargetLost(); }
  bool RestoreTarget() override { return inner_.RestoreTarget(); }
  int RefreshRate() override { return inner_.RefreshRate(); }
  void PaceFrame(int rateHz) override { inner_.PaceFrame(rateHz); }
  void SetTitle(const std::string& utf8Title) override { inner_.SetTitle(utf8Title); }
  void SetCentered(bool centered) override { inner_.SetCentered(centered); }
  void SetBordered(bool bordered) override { inner_.SetBordered(bordered); }
  TWindowPlacement GetWindowPlacement() override { return inner_.GetWindowPlacement(); }
  void SetWindowPlacement(const TWindowPlacement& placement) override {
    inner_.SetWindowPlacement(placement);
  }
  void Minimize() override { inner_.Minimize(); }
  void SetIcon(const uint32_t* pixels, int width, int height) override {
    inner_.SetIcon(pixels, width, height);
  }
  int ShowCursor(bool show) override { return inner_.ShowCursor(show); }
  TPoint GetCursorPos() override { return inner_.GetCursorPos(); }
  void SetCursorPos(TPoint screenPos) override { inner_.SetCursorPos(screenPos); }
  TPoint GetWindowPos() override { return inner_.GetWindowPos(); }
  void GetKeyboardState(std::array<uint8_t, 256>& table) override {
    inner_.GetKeyboardState(table);
  }
  bool IsForeground() override { return inner_.IsForeground(); }
  bool ReadJoystick(int id, TJoystickRaw& raw) override { return inner_.ReadJoystick(id, raw); }
  bool ReadController(TControllerState& state) override { return inner_.ReadController(state); }
  TMixer* Mixer() override { return inner_.Mixer(); }
  TSongLibrary& Songs() override { return inner_.Songs(); }
  TTextRasterizer& Fonts() override { return inner_.Fonts(); }
  bool OpenUrl(const std::string& url) override { return inner_.OpenUrl(url); }
  bool HttpGet(const std::string& url) override { return inner_.HttpGet(url); }
  bool HttpPost(const std::string& url, const std::vector<uint8_t>& body) override {
    return inner_.HttpPost(url, body);
  }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  void ShowError(const std::string& title, const std::string& utf8Message) override {
    inner_.ShowError(title, utf8Message);
  }

 private:
  TPlatform& inner_;
};

}  // namespace platform
