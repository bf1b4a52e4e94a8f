// A real OpenGL device for the device tests: one hidden SDL window with a 2.1 context for the
// whole run, and a fixture that builds a fresh EngDevice over it for every test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "Engine/EngDevice.h"
#include "Engine/EngWindow.h"

namespace qwtest {

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // What the device logged while running f.
  static std::string Logged(const std::function<void()> &f);
  // Reads one pixel given from the window's top-left corner, as R, G, B bytes.
  static void ReadPixel(int x, int y, unsigned char rgb[3]);
  // That pixel as a letter: r, g, b, w (white), k (black) for a pure colour, ? otherwise.
  static char At(int x, int y);

  std::unique_ptr<EngWindow> window;
  std::unique_ptr<EngDevice> device;
};

}  // namespace qwtest
