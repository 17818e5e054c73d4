#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/form.h"
#include "platform/headless/headless_platform.h"
#include "support/minimal_xm.h"
#include "support/temp_dir.h"

namespace test_support {

// The real form, created on the headless platform in a fresh folder with the game's pictures
// and sounds and two small modules, frames run at 85 a second (SpeedFactor 1, FrameMs 11),
// with a records server set (one nothing answers on).
struct THeadlessFormFixture : ::testing::Test {
  static constexpr int kRate = 85;
  static constexpr int kFrameMs = 1000 / kRate;
  static constexpr const char* kScoreServer = "http://127.0.0.1:9";

  TTempWorkDir dir;
  platform::THeadlessPlatform platform{kRate};
  std::unique_ptr<TMForm> form;
  int64_t frames = 0;

  void SetUp() override {
    dir.LinkGameResources();
    std::filesystem::create_directories("Data/Music");
    WriteMinimalXm("Data/Music/Menu.xm");
    WriteMinimalXm("Data/Music/Race.xm");
    form = std::make_unique<TMForm>(platform, TFormConfig{5, kScoreServer});
    form->FormCreate();
  }
  void TearDown() override { form.reset(); }

  // One turn of the message loop at the next frame's time.
  void Frame() {
    ++frames;
    platform.SetTicks(static_cast<uint32_t>(frames * 1000 / kRate));
    form->ProcessEvents();
    form->RunIdle();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
};

}  // namespace test_support
