// A toolkit fixture with a program object and a main window, which widget callbacks need in
// order to run, and one collection with one window at (100, 100) of 300 by 100.
#pragma once

#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

class MWinProgramTest : public MWinTest {
 protected:
  void SetUp() override {
    EngProgramSetResourcesPathForTests(dir.Path().c_str());
    program = new EngProgram();
    main_window = new EngWindow(program, "tests");
    eng_main_window = main_window;
    MWinTest::SetUp();
    collection = Desktop()->AddCollection("C");
    window = AddWindow(collection, "W", 100, 100, 300, 100);
  }
  void TearDown() override {
    MWinTest::TearDown();
    eng_main_window = nullptr;
    delete main_window;
    delete program;
    EngProgramSetResourcesPathForTests(nullptr);
  }

  TempDir dir;
  EngProgram *program = nullptr;
  EngWindow *main_window = nullptr;
  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
};

}  // namespace qwtest
