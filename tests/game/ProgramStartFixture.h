// The program's start in folders of its own: its resources (with the common texts it loads at
// start) and its data folder, both temporary, and what start-up changes put back afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngProgram.h"
#include "Engine/Resolution.h"
#include "game/Main.h"
#include "game/Program.h"
#include "tests/support/TestSupport.h"

class ProgramStartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    MainResetForTests();
    ResolutionResetForTests();
    main_create_window_parms = _EngCreateWindowParms();
    EngProgramSetResourcesPathForTests(m_resources.Path().c_str());
    ASSERT_EQ(mkdir(m_resources.File("CommonTexts").c_str(), 0700), 0);
    qwtest::WriteWholeFile(m_resources.File("CommonTexts/English.txt"),
                           qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt"));
  }
  void TearDown() override {
    MainExitAndDeleteMainProgram(0);
    EngProgramSetResourcesPathForTests(nullptr);
    ResolutionResetForTests();
    main_create_window_parms = _EngCreateWindowParms();
    DebugResetForTests();
    ASSERT_TRUE(m_cwd.Restore());
  }
  qwtest::TempDir m_resources, m_data;
  qwtest::WorkingFolder m_cwd;
};
