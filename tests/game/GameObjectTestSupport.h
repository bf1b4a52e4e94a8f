// The game object without a graphics device, for tests of its screens and routing: the engine
// modules it needs over a temporary data folder, the program and the game objects, and a main
// window of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "game/Game.h"
#include "game/Program.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

class GameObjectTest : public ::testing::Test {
 protected:
  // The log, the preference folder, a 1920 by 1080 desktop, the resolution module, the
  // encryption key and the players module, resources from the data folder; then the program,
  // the game and a windowed main window called window_title (its size is the test's to set).
  void StartGameObject(const char *window_title);
  // All of it gone again, and the working folder as it was.
  void StopGameObject();

  qwtest::PlayerDataFolder m_data;
  qwtest::WorkingFolder m_cwd;
  _EngDisplayModeInfo m_desktop;
  Program *m_program = nullptr;
  Game *m_game = nullptr;
  EngWindow *m_window = nullptr;
  MWin *m_mwin = nullptr;
};

}  // namespace qwtest
