#include "tests/game/GameObjectTestSupport.h"

#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMain.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/Resolution.h"
#include "online/Updater.h"
#include "players/UserClass.h"

namespace qwtest {

void GameObjectTest::StartGameObject(const char *window_title) {
  ASSERT_TRUE(m_data.Start());
  ResolutionResetForTests();
  m_desktop = {1920, 1080, 32, 60.0f};
  EngResModesSetDisplayForTests(&m_desktop, 1, &m_desktop);
  ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  EngEncryptionResetForTests();
  ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
  UserResetForTests();
  EngProgramSetResourcesPathForTests(m_data.Path().c_str());
  m_program = new Program();
  m_game = new Game(m_program, "Game", 0);
  m_window = new EngWindow(nullptr, window_title);
  eng_main_window = m_window;
  eng_main_window_windowed = 1;
}

void GameObjectTest::StopGameObject() {
  delete m_game;
  m_game = nullptr;
  delete m_program;
  m_program = nullptr;
  eng_main_window = nullptr;
  delete m_window;
  m_window = nullptr;
  EngProgramSetResourcesPathForTests(nullptr);
  UserResetForTests();
  EngEncryptionResetForTests();
  EngResModesSetDisplayForTests(nullptr, 0, nullptr);
  ResolutionResetForTests();
  PrefFolderResetForTests();
  DebugResetForTests();
  ASSERT_TRUE(m_cwd.Restore());
}

}  // namespace qwtest
