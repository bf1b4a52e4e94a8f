// The program's start in folders of its own: its resources (with the common texts it loads at
// start) and its data folder, both temporary, and what start-up changes put back afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
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
  // A windowed 800 by 600 display record (full screen 1280 by 1024) as an earlier run saves it,
  // for a test to change before writing it.
  static _Resolution SavedDisplaySettings() {
    _Resolution saved;
    memset(&saved, 0, sizeof(saved));
    saved.settings_version = 1.5f;
    saved.windowed = 1;
    saved.window_width = 800;
    saved.window_height = 600;
    saved.window_bitdepth = 32;
    saved.fullscreen_width = 1280;
    saved.fullscreen_height = 1024;
    saved.fullscreen_bitdepth = 32;
    return saved;
  }
  // The record written as the program's settings file in the data folder (made if missing); its
  // bytes.
  std::string WriteDisplaySettings(const _Resolution &saved) {
    mkdir(m_data.File("Tallowmere").c_str(), 0700);
    mkdir(m_data.File("Tallowmere/Quarrelwick").c_str(), 0700);
    unsigned char bytes[RESOLUTION_FILE_SIZE];
    ResolutionWriteRecordToBytes(&saved, bytes);
    const std::string file(reinterpret_cast<char *>(bytes), sizeof(bytes));
    qwtest::WriteWholeFile(SettingsFile(), file);
    return file;
  }
  std::string SettingsFile() { return m_data.File("Tallowmere/Quarrelwick/Resolution.dat"); }

  qwtest::TempDir m_resources, m_data;
  qwtest::WorkingFolder m_cwd;
};
