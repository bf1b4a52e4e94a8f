// The common fixture of the sound tests: a scratch folder, a log capture, the sound system
// reset before and after each test, and OpenAL started on its null output when asked.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngSound.h"
#include "tests/Engine/SoundFixtures.h"
#include "tests/support/TestSupport.h"

class SoundTestBase : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    DebugSetLogFilename(dir.File("Log.txt").c_str(), 0);
    log.Attach();
    EngSoundResetForTests();
  }
  void TearDown() override {
    EngSoundResetForTests();
    DebugResetForTests();
  }

  void StartOpenAL() {
    qwsound::NoteOpenALStarted();
    ASSERT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 1) << log.All();
  }

  std::string Write(const std::string &name, const std::string &bytes) {
    std::string path = dir.File(name);
    qwtest::WriteWholeFile(path, bytes);
    return path;
  }

  qwtest::TempDir dir;
  qwsound::LogCapture log;
};
