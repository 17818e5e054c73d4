#pragma once

#include <gtest/gtest.h>

#include "engine/dx_draw.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "platform/headless/headless_platform.h"

namespace test_support {

// An image list attached to a headless display, as the game's lists are.
struct TImageListOnDisplay : ::testing::Test {
  platform::THeadlessPlatform platform;
  engine::TDXForm form{platform};
  engine::TDXDraw draw{&form};
  engine::TDXImageList list{&draw};
  engine::TPictureCollection& items = list.Items;
};

}  // namespace test_support
