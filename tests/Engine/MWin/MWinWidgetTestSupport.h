// A full-screen window in a toolkit with a program and a main window (the callback path needs
// both), recording every widget callback record and every sound the toolkit plays.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

// The toolkit with a program and a main window, as in the game: the callback path needs both.
class MWinProgramTest : public MWinTest {
 protected:
  void SetUp() override {
    EngProgramSetResourcesPathForTests(dir.Path().c_str());
    program = new EngProgram();
    main_window = new EngWindow(program, "tests");
    eng_main_window = main_window;
    MWinTest::SetUp();
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
};

class MWinWidgetTest : public MWinProgramTest {
 protected:
  void SetUp() override {
    MWinProgramTest::SetUp();
    records().clear();
    sounds().clear();
    mwin->SetSoundPlayCallback([](_MWinSoundEvent e, void *) { sounds().push_back(e); }, nullptr);
    collection = Desktop()->AddCollection("C");
    window = AddWindow(collection, "W", 0, 0, 640, 480);
  }
  static void Record(MWin *, _MWinButtonCallbackInfo *info, int, int) { records().push_back(*info); }
  static std::vector<_MWinButtonCallbackInfo> &records() {
    static std::vector<_MWinButtonCallbackInfo> r;
    return r;
  }
  static std::vector<_MWinSoundEvent> &sounds() {
    static std::vector<_MWinSoundEvent> s;
    return s;
  }
  // The selection sounds only: moving onto a widget plays a sound of its own.
  static size_t SelectionSounds() {
    size_t n = 0;
    for (_MWinSoundEvent e : sounds()) n += e == MWIN_SOUND_SELECTION_CHANGED ? 1 : 0;
    return n;
  }
  MWinButton *Add(const char *id, _MWinButtonType type, const char *text, float x, float y, float w, float h) {
    MWinButton *b = window->AddButton(id, type, "MWIN_TEXBUT_DEFAULT", text, x, y, w, h, Record, 0, 0);
    EXPECT_NE(b, nullptr);
    return b;
  }

  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
};

}  // namespace qwtest
