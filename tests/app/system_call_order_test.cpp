#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/program.h"
#include "platform/forwarding_platform.h"
#include "platform/headless/headless_platform.h"
#include "platform/vk_codes.h"
#include "support/temp_dir.h"

// What must already have happened when the program asks the system for something: the Pause
// window is open when Alt+Enter switches the display, and the save files are written when
// "play.url" is opened.
namespace {

namespace vk = platform::vk;

constexpr int kRate = 85;

// The headless platform, with a look at the game at the moment the display is set up or a
// link is opened.
class TWatchedPlatform : public platform::TForwardingPlatform {
 public:
  explicit TWatchedPlatform(platform::THeadlessPlatform& inner) : TForwardingPlatform(inner) {}

  std::function<void()> OnDisplay;
  std::function<void()> OnOpenUrl;

  bool DisplayInitialize(const platform::TDisplayRequest& request) override {
    if (OnDisplay) OnDisplay();
    return TForwardingPlatform::DisplayInitialize(request);
  }
  bool OpenUrl(const std::string& url) override {
    if (OnOpenUrl) OnOpenUrl();
    return TForwardingPlatform::OpenUrl(url);
  }
};

TEST(SystemCallOrder, AltEnterInAGameOpensThePauseBeforeTheDisplaySwitches) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  platform::THeadlessPlatform headless(kRate);
  TWatchedPlatform watched(headless);
  TMForm form(watched, TFormConfig{5, {}});
  form.FormCreate();
  int64_t frames = 0;
  const auto frame = [&] {
    ++frames;
    headless.SetTicks(static_cast<uint32_t>(frames * 1000 / kRate));
    form.ProcessEvents();
    form.RunIdle();
  };
  form.LeaveMainMenu();
  form.Game.StartGame(form.Game.DrawGameSeed());
  for (int i = 0; i < 1000 && form.WindowOpen() != 0; ++i) frame();  // the level banner
  ASSERT_EQ(form.WindowOpen(), 0);

  std::vector<int> windowsAtSwitch;
  watched.OnDisplay = [&] { windowsAtSwitch.push_back(form.WindowOpen()); };
  headless.KeyDown(vk::kMenu);
  headless.KeyDown(vk::kReturn);
  headless.KeyUp(vk::kReturn);
  headless.KeyUp(vk::kMenu);
  frame();
  EXPECT_EQ(windowsAtSwitch, std::vector<int>{kWindowPause});
  EXPECT_TRUE(headless.LastDisplayRequest().fullScreen);
}

TEST(SystemCallOrder, TheSaveFilesAreWrittenBeforeThePlayLinkOpens) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  dir.Write("play.url", "[InternetShortcut]\r\nURL=https://example.org/play\r\n");
  platform::THeadlessPlatform headless;
  TWatchedPlatform watched(headless);
  std::vector<bool> savedWhenOpened;
  watched.OnOpenUrl = [&] {
    savedWhenOpened.push_back(std::filesystem::exists("Data/Save/options") &&
                              std::filesystem::exists("Data/Save/hs"));
  };
  headless.RequestQuit();  // the session ends: the orderly exit
  EXPECT_EQ(RunProgram(watched), 0);
  EXPECT_EQ(savedWhenOpened, std::vector<bool>{true});
}

}  // namespace
