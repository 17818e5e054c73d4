#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "platform/http_get.h"
#include "platform/links.h"
#include "platform/vk_codes.h"

namespace platform {

namespace {
constexpr uint8_t kKeyDown = 0x80;
constexpr uint32_t kMaxAudioCatchUpMs = 5000;
constexpr int kButtonShift[] = {kShiftLeft, kShiftRight, kShiftMiddle};
}  // namespace

THeadlessPlatform::THeadlessPlatform(int refreshRate) : refreshRate_(refreshRate) {}

// The silent device consumes samples as a real one would, so sounds end on time. A jump of
// the clock beyond a few seconds plays only those seconds.
void THeadlessPlatform::SetTicks(uint32_t ms) {
  ticks_ = ms;
  const uint64_t elapsed = std::min<uint32_t>(ms - audioTicks_, kMaxAudioCatchUpMs);
  audioTicks_ = ms;
  const uint64_t scaled = elapsed * kAudioRate + audioRemainder_;
  audioRemainder_ = scaled % 1000;
  const int frames = static_cast<int>(scaled / 1000);
  if (frames == 0) return;
  audioScratch_.resize(static_cast<size_t>(frames) * 2);
  mixer_.Mix(audioScratch_.data(), frames);
}

void THeadlessPlatform::QueueEvent(const TEvent& event) {
  events_.push_back(event);
}

bool THeadlessPlatform::PollEvent(TEvent& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

int THeadlessPlatform::ShiftState() const {
  int shift = 0;
  if (keys_[vk::kShift] & kKeyDown) shift |= kShiftShift;
  if (keys_[vk::kMenu] & kKeyDown) shift |= kShiftAlt;
  if (keys_[vk::kControl] & kKeyDown) shift |= kShiftCtrl;
  for (int b = 0; b < 3; ++b) {
    if (mouseButtons_ & (1 << b)) shift |= kButtonShift[b];
  }
  return shift;
}

void THeadlessPlatform::KeyDown(int vk) {
  if (vk < 0 || vk > 255) return;
  keys_[vk] |= kKeyDown;
  QueueEvent({TEventKind::KeyDown, vk, ShiftState()});
  // As on the real keyboard, Alt or Ctrl held types no character.
  const bool typing = !(ShiftState() & (kShiftAlt | kShiftCtrl));
  if (typing && (vk == vk::kBack || vk == vk::kReturn)) QueueEvent({TEventKind::Char, vk});
}

void THeadlessPlatform::KeyUp(int vk) {
  if (vk < 0 || vk > 255) return;
  keys_[vk] &= static_cast<uint8_t>(~kKeyDown);
  QueueEvent({TEventKind::KeyUp, vk, ShiftState()});
}

void THeadlessPlatform::TypeChar(int cp1251Code) {
  if (cp1251Code <= 0 || cp1251Code > 255) return;
  QueueEvent({TEventKind::Char, cp1251Code});
}

void THeadlessPlatform::MoveMouse(int x, int y) {
  mouse_ = {x, y};
  cursor_ = {placement_.x + x, placement_.y + y};
  QueueEvent({TEventKind::MouseMove, 0, ShiftState(), x, y});
}

void THeadlessPlatform::PressMouse(int button) {
  if (button < 0 || button > 2) return;
  mouseButtons_ |= 1 << button;
  QueueEvent({TEventKind::MouseDown, 0, ShiftState(), mouse_.x, mouse_.y, button});
}

void THeadlessPlatform::ReleaseMouse(int button) {
  if (button < 0 || button > 2) return;
  mouseButtons_ &= ~(1 << button);
  QueueEvent({TEventKind::MouseUp, 0, ShiftState(), mouse_.x, mouse_.y, button});
}

void THeadlessPlatform::Click() {
  QueueEvent({TEventKind::Click, 0, 0, mouse_.x, mouse_.y});
}

void THeadlessPlatform::DoubleClick() {
  QueueEvent({TEventKind::DblClick, 0, kShiftDouble, mouse_.x, mouse_.y});
}

void THeadlessPlatform::RequestClose() {
  QueueEvent({TEventKind::CloseRequest});
}

void THeadlessPlatform::RequestQuit() {
  QueueEvent({TEventKind::Quit});
}

void THeadlessPlatform::Expose() {
  QueueEvent({TEventKind::Expose});
}

void THeadlessPlatform::SetActive(bool focused, bool minimized) {
  const bool wasActive = AppActive();
  focused_ = focused;
  minimized_ = minimized;
  if (AppActive() != wasActive) {
    QueueEvent({AppActive() ? TEventKind::Activate : TEventKind::Deactivate});
  }
}

// Focus given back also restores a minimised window, as clicking it in a task bar does.
void THeadlessPlatform::SetFocus(bool focused) {
  SetActive(focused, focused ? false : minimized_);
}

void THeadlessPlatform::Minimize() {
  minimizeAsked_ = true;
  if (!deferMinimize_) CompleteMinimize();
}

void THeadlessPlatform::CompleteMinimize() {
  if (!minimizeAsked_) return;
  minimizeAsked_ = false;
  SetActive(false, true);
}

bool THeadlessPlatform::DisplayInitialize(const TDisplayRequest& request) {
  lastRequest_ = request;
  if (request.fullScreen && failDisplayModes_) return false;
  displayInitialized_ = true;
  targetLost_ = false;
  return true;
}

void THeadlessPlatform::Present(const uint32_t* pixels, int width, int height) {
  lastFrame_.assign(pixels, pixels + static_cast<size_t>(width) * height);
  lastWidth_ = width;
  lastHeight_ = height;
  ++presentCount_;
}

bool THeadlessPlatform::RestoreTarget() {
  targetLost_ = false;
  return true;
}

bool THeadlessPlatform::ReadJoystick(int id, TJoystickRaw& raw) {
  if (id != 0 || !joystick_) return false;
  raw = *joystick_;
  return true;
}

bool THeadlessPlatform::OpenUrl(const std::string& url) {
  if (!IsWebUrl(url)) return false;
  openedUrls_.push_back(url);
  return true;
}

TTextRasterizer& THeadlessPlatform::Fonts() {
  if (!fonts_) fonts_ = std::make_unique<TTextRasterizer>();
  return *fonts_;
}

bool THeadlessPlatform::FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

void THeadlessPlatform::ShowError(const std::string& title, const std::string& utf8Message) {
  errors_.push_back(utf8Message);
  std::cerr << title << ": " << utf8Message << '\n';
}

bool THeadlessPlatform::HttpGet(const std::string& url) {
  requests_.push_back(url);
  return sendRequests_ && platform::HttpGet(url);
}

bool THeadlessPlatform::HttpPost(const std::string& url, const std::vector<uint8_t>& body) {
  requests_.push_back("POST " + url + " (" + std::to_string(body.size()) + " bytes)");
  return sendRequests_ && platform::HttpPost(url, body);
}

}  // namespace platform
