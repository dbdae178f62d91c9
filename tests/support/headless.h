// Shared set-up for tests that draw: the headless back end with a fresh 640×480 frame,
// default draw state and input, and helpers to make images from pixels.
#pragma once

#include "media/graphics.h"

#include <gtest/gtest.h>

#include <functional>

class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Registers PNG bytes of a w×h picture under name and loads it with flags.
  static ImagePtr MakeImage(const std::string& name, int w, int h,
                            const std::function<uint32_t(int x, int y)>& argb, int flags = -1);
  static uint32_t PixelAt(int x, int y);  // 0xAARRGGBB of the current frame
};

// 0xAARRGGBB without the alpha byte.
inline uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFF; }
