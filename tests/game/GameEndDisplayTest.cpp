// The two ends of a game drawn by the real game object from the built resources: the game-over
// picture over the garden with its wanderers, and the won garden's final score under the
// swinging sign. Each is left as a screenshot in the build folder.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/GameOver.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Program.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class GameEndDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    m_build = qwtest::BinaryDir();
    DebugResetForTests();
    DebugSetLogFilename(m_log_dir.File("Log.txt").c_str(), 1);
    m_resources = m_build + "/resources";
    EngProgramSetResourcesPathForTests(m_resources.c_str());  // kept, not copied
    ASSERT_TRUE(m_cwd.Enter(m_resources));
    QuarrelwickResetForTests();
    LevelsResetForTests();
    BugsResetForTests();
    TraverseReset();
    srand(5);
    eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
    eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
    eng_main_window_x_widescreen_ratio = eng_main_window_y_narrowscreen_ratio = 1.0f;
    eng_main_window_y_narrowscreen_ratio_actual = 1.0f;
    m_program = new Program();
    m_game = new Game(m_program, "Game", 0);
    main_game = m_game;
    ASSERT_EQ(m_game->Pre3dInit(), 1);
    ASSERT_EQ(m_game->CreateGraphics(), 1);
    device->PrepareFor2D(1);
    device->SetClearColour(0.0f, 0.0f, 0.0f);
    eng_main_current_time = 100.0;
    game_per_second = 1.0f / 60.0f;
    level_garden = 0;
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    // A few weapons beside the road, and the wave walked in.
    cash = 100000;
    int placed = 0;
    for (float x = -0.9f; x < 0.9f && placed < 6; x += 0.05f)
      for (float y : {-0.85f, 0.85f})
        if (placed < 6 && WeaponsCanPlaceWeaponHere(placed % 3 * 3, x, y, 0))
          placed += WeaponsCreateNew(placed % 3 * 3, x, y, 0, 0) ? 1 : 0;
    game_paused = 0;
    for (int i = 0; i < 400; i++) Step();
  }
  void TearDown() override {
    main_game = nullptr;
    m_game->GetScreens()->RemoveAllScreens();
    m_game->DeleteGraphics();
    delete m_game;
    delete m_program;
    GameOverResetForTests();
    GameWonResetForTests();
    BugsResetForTests();
    QuarrelwickResetForTests();
    LevelsResetForTests();
    TraverseReset();
    EngProgramSetResourcesPathForTests(nullptr);
    ASSERT_TRUE(m_cwd.Restore());
    DebugResetForTests();
    DeviceTest::TearDown();
  }
  // One frame of play, drawn.
  void Step() {
    eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
    QuarrelwickTick();
    device->ClearScreen();
    QuarrelwickRender();
  }
  // The window, rows top first, RGB; also kept as a JPEG in the build folder.
  std::vector<unsigned char> Shot(const char *name) {
    std::vector<unsigned char> rgb(640 * 480 * 3), flipped(rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    for (int y = 0; y < 480; y++)
      std::copy(rgb.begin() + (479 - y) * 640 * 3, rgb.begin() + (480 - y) * 640 * 3, flipped.begin() + y * 640 * 3);
    EXPECT_TRUE(EngJpegWriteFileFromBuffer((m_build + "/" + name).c_str(), 90, 72, 640, 480, flipped.data()));
    return flipped;
  }
  // The mean difference of two frames over a rectangle, per channel.
  static double Difference(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b, int x0, int y0,
                           int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; y++)
      for (int x = x0; x < x1; x++)
        for (int c = 0; c < 3; c++) {
          size_t i = (size_t(y) * 640 + size_t(x)) * 3 + size_t(c);
          sum += std::abs(int(a[i]) - int(b[i]));
        }
    return sum / (double(x1 - x0) * double(y1 - y0) * 3.0);
  }

  qwtest::TempDir m_log_dir;
  qwtest::WorkingFolder m_cwd;
  std::string m_build, m_resources;
  Program *m_program = nullptr;
  Game *m_game = nullptr;
};

TEST_F(GameEndDisplayTest, TheGameOverPictureThrobsOverTheGardenWithWanderers) {
  game_paused = 1;  // the garden as it stands, for comparing
  Step();
  const std::vector<unsigned char> before = Shot("GameOverBefore.jpg");
  game_paused = 0;
  QuarrelwickChangeLives(-lives);
  ASSERT_EQ(game_over, 1);
  // Faded in within about a second, then throbbing between half and full.
  for (int i = 0; i < 90; i++) Step();
  EXPECT_EQ(GameOverGetStage(), 1);
  for (int i = 0; i < 150; i++) {
    Step();
    EXPECT_GE(GameOverGetAlpha(), 0.5f);
  }
  int wanderers = 0;
  for (Bug *b : bugs) wanderers += (b && b->game_over_bug) ? 1 : 0;
  EXPECT_GE(wanderers, 5);
  const std::vector<unsigned char> after = Shot("GameOverShot.jpg");
  EXPECT_GT(Difference(before, after, 60, 60, 580, 420), 25.0);
  EXPECT_EQ(DebugGetNumMessages(), 0);
}

TEST_F(GameEndDisplayTest, TheWonGardenShowsTheFinalScoreUnderTheSign) {
  bug_level_num = 49;
  game_paused = 1;
  Step();
  const std::vector<unsigned char> before = Shot("GameWonBefore.jpg");
  GameWonInit();
  for (int i = 0; i < 60 * 60 && GameWonGetStage() != 22; i++) Step();
  ASSERT_EQ(GameWonGetStage(), 22);
  for (int i = 0; i < 150; i++) Step();
  EXPECT_EQ(WeaponsGetScoreValue(), 0);
  EXPECT_EQ(cash, 0);
  const std::vector<unsigned char> after = Shot("GameWonShot.jpg");
  // The caption at the top and the sign over the field's middle.
  EXPECT_GT(Difference(before, after, 150, 10, 490, 50), 10.0);
  EXPECT_GT(Difference(before, after, 260, 150, 500, 300), 25.0);
  EXPECT_EQ(DebugGetNumMessages(), 0);
}

}  // namespace
