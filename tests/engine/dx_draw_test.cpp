#include "engine/dx_draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/dx_form.h"
#include "engine/engine_error.h"
#include "platform/headless/headless_platform.h"

namespace {

using engine::TDXDraw;
using engine::TDXDrawNotifyType;

struct TRecorder : engine::TDXDrawListener {
  std::vector<int> kinds;
  void DXDrawNotify(TDXDraw&, TDXDrawNotifyType kind) override {
    kinds.push_back(static_cast<int>(kind));
  }
};

struct TNamedRecorder : engine::TDXDrawListener {
  TNamedRecorder(char name, std::string& log) : name(name), log(log) {}
  char name;
  std::string& log;
  void DXDrawNotify(TDXDraw&, TDXDrawNotifyType kind) override {
    log += name;
    log += static_cast<char>('0' + static_cast<int>(kind));
  }
};

struct DrawFixture : ::testing::Test {
  // Listeners outlive the display, which tells them when it is destroyed.
  std::string log;
  TRecorder recorder;
  TNamedRecorder a{'a', log};
  TNamedRecorder b{'b', log};
  platform::THeadlessPlatform platform;
  engine::TDXForm form{platform};
  TDXDraw draw{&form};

  void SetFullScreen(bool on) {
    const auto bit = engine::OptionBit(engine::doFullScreen);
    draw.SetOptions(on ? (draw.Options() | bit) : (draw.Options() & ~bit));
  }
};

TEST_F(DrawFixture, EffectiveOptionsOfTheFormInAWindowAndInFullScreen) {
  using namespace engine;
  EXPECT_EQ(draw.NowOptions(), MakeOptions(doWaitVBlank, doStretch, doCenter));
  SetFullScreen(true);
  EXPECT_EQ(draw.NowOptions(),
            MakeOptions(doFullScreen, doAllowReboot, doWaitVBlank, doStretch, doCenter, doFlip));
  // With system memory there are no page flips; DirectX 7 mode drops retained mode.
  draw.SetOptions(MakeOptions(doFullScreen, doSystemMemory, doFlip, do3D, doDirectX7Mode,
                              doRetainedMode, doHardware));
  EXPECT_EQ(draw.NowOptions(), MakeOptions(doFullScreen, doSystemMemory, do3D, doDirectX7Mode));
}

TEST_F(DrawFixture, WhileInitializedOnlyTheVBlankStretchAndCentreOptionsChange) {
  using namespace engine;
  draw.Initialize();
  draw.SetOptions(MakeOptions(doFullScreen, doFlip));
  EXPECT_EQ(draw.NowOptions(), 0);
  draw.SetOptions(MakeOptions(doStretch));
  EXPECT_EQ(draw.NowOptions(), MakeOptions(doStretch));
  draw.Finalize();
  EXPECT_EQ(draw.NowOptions(), MakeOptions(doStretch));
}

TEST_F(DrawFixture, InitializeFinalizeAndModeSwitchNotifyInOrder) {
  draw.RegisterNotify(recorder);
  EXPECT_EQ(recorder.kinds, (std::vector<int>{7}));
  recorder.kinds.clear();
  draw.Initialize();
  EXPECT_EQ(recorder.kinds, (std::vector<int>{1, 7, 2, 3, 6}));
  EXPECT_TRUE(draw.Initialized());
  recorder.kinds.clear();
  draw.Finalize();
  SetFullScreen(true);
  draw.Initialize();
  EXPECT_EQ(recorder.kinds, (std::vector<int>{5, 4, 1, 7, 2, 3, 6}));
  EXPECT_TRUE(platform.LastDisplayRequest().fullScreen);
  recorder.kinds.clear();
  draw.Finalize();
  draw.Finalize();  // a second finalize does nothing
  EXPECT_EQ(recorder.kinds, (std::vector<int>{5, 4}));
}

TEST_F(DrawFixture, ListenersHearLastRegisteredFirstAndReRegisteringMovesToTheEnd) {
  draw.RegisterNotify(a);
  draw.RegisterNotify(b);
  draw.RegisterNotify(a);
  log.clear();
  draw.Initialize();
  EXPECT_EQ(log, "a1b1a7b7a2b2a3b3a6b6");
  draw.UnregisterNotify(a);
  log.clear();
  draw.Finalize();
  EXPECT_EQ(log, "b5b4");
}

TEST_F(DrawFixture, RegisteringWithAnInitializedDisplaySendsItsState) {
  draw.Initialize();
  draw.RegisterNotify(recorder);
  EXPECT_EQ(recorder.kinds, (std::vector<int>{7, 2, 3, 6}));
}

TEST_F(DrawFixture, FailuresCarryTheirMessagesAndLeaveTheDisplayFinalized) {
  EXPECT_THROW(
      {
        try {
          draw.SetBitCount(15);
        } catch (const engine::EDXDrawError& e) {
          EXPECT_STREQ(e.what(), "Display requires 8, 16, 24 or 32 bits");
          throw;
        }
      },
      engine::EDXDrawError);
  draw.SetBitCount(32);
  draw.Initialize();
  platform.FailDisplayModes(true);
  SetFullScreen(true);
  try {
    draw.Initialize();
    FAIL() << "no error";
  } catch (const engine::EDXDrawError& e) {
    EXPECT_STREQ(e.what(), "Display mode cannot be changed (800x600 32bit)");
  }
  EXPECT_FALSE(draw.Initialized());
  EXPECT_FALSE(draw.CanDraw());

  TDXDraw orphan(nullptr);
  try {
    orphan.Initialize();
    FAIL() << "no error";
  } catch (const engine::EDXDrawError& e) {
    EXPECT_STREQ(e.what(), "Form not found");
  }
}

TEST_F(DrawFixture, LostTargetIsRestoredByCanDrawWithARestoreNotification) {
  draw.Initialize();
  draw.RegisterNotify(recorder);
  recorder.kinds.clear();
  platform.LoseTarget();
  EXPECT_TRUE(draw.CanDraw());
  EXPECT_EQ(recorder.kinds, (std::vector<int>{6}));
  EXPECT_TRUE(draw.CanDraw());
  EXPECT_EQ(recorder.kinds.size(), 1u);
}

TEST_F(DrawFixture, FlipPresentsTheBackSurfaceAndFullScreenOnlyWhileActive) {
  draw.Flip();
  EXPECT_EQ(platform.PresentCount(), 0);
  draw.Initialize();
  draw.Surface().Fill(0x123456);
  draw.Flip();
  ASSERT_EQ(platform.PresentCount(), 1);
  EXPECT_EQ(platform.LastFrame()[799 + 599 * 800], 0x123456u);
  EXPECT_EQ(platform.LastFrameWidth(), 800);

  platform.SetFocus(false);
  draw.Flip();  // a window is still copied while inactive
  EXPECT_EQ(platform.PresentCount(), 2);
  SetFullScreen(true);
  draw.Initialize();
  draw.Flip();
  EXPECT_EQ(platform.PresentCount(), 2);
  platform.SetFocus(true);
  draw.Flip();
  EXPECT_EQ(platform.PresentCount(), 3);
}

TEST_F(DrawFixture, NewBackSurfaceIsBlackAndSizedLikeTheComponent) {
  draw.Width = 320;
  draw.Height = 200;
  draw.SurfaceWidth = 1;
  draw.Initialize();
  EXPECT_EQ(draw.Surface().Width(), 320);
  EXPECT_EQ(draw.Surface().Height(), 200);
  EXPECT_EQ(draw.Surface().Pixel(319, 199), 0u);
}

}  // namespace
