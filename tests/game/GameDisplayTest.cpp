// The game object on a real device: its skin, main font and popup look load from the built
// resources, and the main menu's Escape question draws in them over the cleared screen.
#include "game/Game.h"

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Program.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class GameDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    m_resources = qwtest::BuiltResources();
    DebugResetForTests();
    DebugSetLogFilename(m_log_dir.File("Log.txt").c_str(), 1);
    EngProgramSetResourcesPathForTests(m_resources.c_str());
    m_program = new Program();
    // A 640 x 480 window: the design space one to one.
    eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
    eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
    eng_main_window_x_widescreen_ratio = eng_main_window_y_narrowscreen_ratio = 1.0f;
    eng_main_window_y_narrowscreen_ratio_actual = 1.0f;
    eng_main_window_width_over_height = 640.0f / 480.0f;
    eng_main_window_height_over_width = 480.0f / 640.0f;
  }
  void TearDown() override {
    if (m_game) {
      m_game->GetScreens()->RemoveAllScreens();
      m_game->DeleteGraphics();
    }
    delete m_game;
    delete m_program;
    EngProgramSetResourcesPathForTests(nullptr);
    ASSERT_TRUE(m_cwd.Restore());
    DebugResetForTests();
    DeviceTest::TearDown();
  }
  // The frame as rows of RGB, top row first; also saved as a PPM when QW_SCREENSHOT names a file.
  std::vector<unsigned char> Frame() {
    std::vector<unsigned char> rgb(640 * 480 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<unsigned char> flipped(rgb.size());
    for (int y = 0; y < 480; y++)
      std::copy(rgb.begin() + (479 - y) * 640 * 3, rgb.begin() + (480 - y) * 640 * 3, flipped.begin() + y * 640 * 3);
    if (const char *shot = getenv("QW_SCREENSHOT")) {
      if (FILE *f = fopen(shot, "wb")) {
        fprintf(f, "P6\n640 480\n255\n");
        fwrite(flipped.data(), 1, flipped.size(), f);
        fclose(f);
      }
    }
    return flipped;
  }

  qwtest::TempDir m_log_dir;
  qwtest::WorkingFolder m_cwd;
  std::string m_resources;
  Program *m_program = nullptr;
  Game *m_game = nullptr;
};

TEST_F(GameDisplayTest, TheEscapeQuestionDrawsInTheGamesSkin) {
  m_game = new Game(m_program, "Game", 0);
  ASSERT_EQ(m_game->Pre3dInit(), 1);
  ASSERT_EQ(m_game->CreateGraphics(), 1);
  MWin *mwin = m_game->GetMWin();
  ASSERT_EQ(mwin->IsOn(), 1);
  EXPECT_EQ(mwin->GetTextures()->AreTexturesLoaded(), 1);
  EXPECT_EQ(m_game->GetFont()->IsCreated(), 1);
  EXPECT_EQ(mwin->GetFonts()->GetUserFont("Main", 0), m_game->GetFont());

  std::vector<std::string> log;
  qwtest::FakeController main_menu{"MAIN", &log};
  main_menu.m_screens = m_game->GetScreens();
  main_menu.m_mwin = mwin;
  ASSERT_EQ(m_game->GetScreens()->SetupAllScreens(), 1);
  m_game->GetScreens()->RemoveAllScreens();
  ASSERT_EQ(m_game->GetScreens()->AddScreen(MAIN_SCREEN_ID, &main_menu), 1);
  m_game->GetScreens()->StartScreen(MAIN_SCREEN_ID, -1);
  eng_main_window_windowed = 1;
  ASSERT_EQ(m_game->InputCB(ENG_INPUT_KEY_DOWN, 27, 0), 1);
  ASSERT_EQ(mwin->PopupIsOn(), 1);
  const _Dimension *box = mwin->PopupGetWindow()->GetOrigArea();
  EXPECT_NEAR(box->x + box->width / 2, 320.0f, 1.0f);
  EXPECT_NEAR(box->y + box->height / 2, 240.0f, 1.0f);
  m_game->Render();
  std::vector<unsigned char> frame = Frame();

  // The popup box covers the middle of the screen in the skin's colours; the corners stay
  // the cleared (darkened) background.
  auto at = [&frame](int x, int y) { return &frame[(y * 640 + x) * 3]; };
  int coloured = 0;
  for (int y = 200; y < 280; y += 4)
    for (int x = 220; x < 420; x += 4) {
      const unsigned char *p = at(x, y);
      if (p[0] + p[1] + p[2] > 60) coloured++;
    }
  EXPECT_GT(coloured, 200);
  const unsigned char *corner = at(2, 2);
  EXPECT_LT(corner[0] + corner[1] + corner[2], 60);
  EXPECT_EQ(DebugGetNumMessages(), 0);
  m_game->GetScreens()->RemoveAllScreens();
}

}  // namespace
