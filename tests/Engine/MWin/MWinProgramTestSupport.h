// A toolkit fixture with a program object and a main window, which widget callbacks need in
// order to run, and one collection with one window at (100, 100) of 300 by 100.
#pragma once

#include "tests/Engine/MWin/MWinWidgetTestSupport.h"

namespace qwtest {

class MWinProgramWindowTest : public MWinProgramTest {
 protected:
  void SetUp() override {
    MWinProgramTest::SetUp();
    collection = Desktop()->AddCollection("C");
    window = AddWindow(collection, "W", 100, 100, 300, 100);
  }

  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
};

}  // namespace qwtest
