// A fixture for the play-field tests: every module back in its start-up state, a scratch
// resources folder as the working folder, the clock and frame step set by the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestSupport.h"

namespace qwtest {

class PlayFieldTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes a straight path file for garden g into the working folder.
  void WritePath(int garden, float x0, float y0, float x1, float y1, int steps);
  // What running f logged.
  static std::string Logged(void (*f)());

  TempDir m_dir;
  qwtest::WorkingFolder m_cwd;
};

}  // namespace qwtest
