// The toolkit end to end: a screen of push buttons and labels in a window, drawn in a real
// window under Xvfb and pressed by mouse events pushed into SDL's queue, which travel through
// the window's event handler and the program's input callback to the screen's controller.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngContext.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

// What the game does with input: hand it to the toolkit.
class ScreenProgram : public EngProgram {
 public:
  MWin *mwin = nullptr;
  signed char InputCB(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2) override {
    if (!mwin) return 0;
    if (type == ENG_INPUT_MOUSE_MOVE) {
      float x, y;
      memcpy(&x, &p1, sizeof(x));
      memcpy(&y, &p2, sizeof(y));
      return mwin->MoveMouse(x, y);
    }
    return mwin->ProcessInput(type, p1, p2);
  }
};

class TestScreen : public MWinCollectionController {
 public:
  char CreateCollection(MWin *mwin) override {
    MWinCollection *c = mwin->GetDesktop()->AddCollection("TEST");
    _MWinWindowCreateInfo info = {};
    info.x = 100;
    info.y = 80;
    info.width = 440;
    info.height = 320;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinWindow *w = c->AddWindow("MAIN", &info);
    if (!w) return 0;
    w->SetController(this);
    w->AddButton("TITLE", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "A test screen", 20, 20, 400, 40);
    w->AddButton("PLAY", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Play", 40, 100, 160, 50);
    w->AddButton("QUIT", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Quit", 240, 100, 160, 50);
    w->AddButton("NOTE", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_DEFAULT", "A label", 40, 200, 360, 40);
    return mwin->GetDesktop()->SetActiveCollection("TEST");
  }
  void RemoveVars() override {}
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override {
    presses.push_back(std::string(info->window_id) + "/" + info->button_id);
    EXPECT_EQ(info->button, button);
    return 1;
  }
  std::vector<std::string> presses;
};

class MWinButtonScreenDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngProgramSetResourcesPathForTests(dir.Path().c_str());
    EngWhichDeviceResetForTests();
    program = new ScreenProgram();
    window = new EngWindow(program, "Quarrelwick");
    _EngCreateWindowParms parms;
    parms.width = 640;
    parms.height = 480;
    ASSERT_EQ(window->Create(&parms), 1);
    ASSERT_EQ(window->CreateGraphicsDevice(), 1);
    ASSERT_NE(eng_main_device, nullptr);
    TakeShowingEvents();
    mwin = new MWin(nullptr);
    ASSERT_TRUE(AddVeraBoldFont(mwin, 24));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
    program->mwin = mwin;
    ASSERT_TRUE(screen.CreateCollection(mwin));
  }
  void TearDown() override {
    program->mwin = nullptr;
    delete mwin;
    delete window;
    delete program;
    EngProgramSetResourcesPathForTests(nullptr);
  }
  SDL_Window *Native() { return static_cast<SDL_Window *>(window->GetNativeWindow_MAC()); }
  // What comes with the window's showing (its focus, the pointer entering it) arrives with the
  // mapping that SDL waits for: one poll takes it, before the toolkit is there to see it.
  void TakeShowingEvents() { window->GetWindowEvents(); }
  // Mouse events as the X server would send them, taken in by one event poll: whatever the
  // server itself sends meanwhile comes after them, not between the move and the press.
  void PushClick(int x, int y) {
    Uint32 id = SDL_GetWindowID(Native());
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
    for (int pressed = 1; pressed >= 0; pressed--) {
      e = {};
      e.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.windowID = id;
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
      e.button.clicks = 1;
      e.button.x = x;
      e.button.y = y;
      SDL_PushEvent(&e);
    }
    window->GetWindowEvents();
  }
  void Pixel(int x, int y, unsigned char rgb[3]) {
    unsigned char rgba[4];
    glReadPixels(x, 479 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    memcpy(rgb, rgba, 3);
  }

  TempDir dir;
  ScreenProgram *program = nullptr;
  EngWindow *window = nullptr;
  MWin *mwin = nullptr;
  TestScreen screen;
};

TEST_F(MWinButtonScreenDisplayTest, AScreenIsDrawnAndItsButtonsArePressedByTheMouse) {
  eng_main_device->SetClearColour(0, 0, 0);
  mwin->RenderMain();
  unsigned char rgb[3];
  // The push button's back (0.55, 0.65, 0.85 tinted 0.85 when normal) inside PLAY, away
  // from its text.
  Pixel(100 + 40 + 6, 80 + 100 + 25, rgb);
  EXPECT_NEAR(rgb[0], 255 * 0.55f * 0.85f, 6);
  EXPECT_NEAR(rgb[2], 255 * 0.85f * 0.85f, 6);

  PushClick(100 + 40 + 80, 80 + 100 + 25);
  ASSERT_EQ(screen.presses.size(), 1u);
  EXPECT_EQ(screen.presses[0], "MAIN/PLAY");
  PushClick(100 + 240 + 80, 80 + 100 + 25);
  ASSERT_EQ(screen.presses.size(), 2u);
  EXPECT_EQ(screen.presses[1], "MAIN/QUIT");
  // A label reports its press as well; the screen decides what it means.
  PushClick(100 + 100, 80 + 220);
  ASSERT_EQ(screen.presses.size(), 3u);
  EXPECT_EQ(screen.presses[2], "MAIN/NOTE");
  PushClick(20, 20);  // outside the window
  EXPECT_EQ(screen.presses.size(), 3u);

  // The pointer over QUIT highlights it: drawn brighter than PLAY.
  SDL_Event e = {};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = SDL_GetWindowID(Native());
  e.motion.x = 100 + 240 + 80;
  e.motion.y = 80 + 100 + 25;
  SDL_PushEvent(&e);
  window->GetWindowEvents();
  mwin->RenderMain();
  unsigned char play[3], quit[3];
  Pixel(100 + 40 + 6, 80 + 100 + 25, play);
  Pixel(100 + 240 + 6, 80 + 100 + 25, quit);
  EXPECT_NEAR(play[0], 255 * 0.55f * 0.85f, 6);
  EXPECT_NEAR(quit[0], 255 * 0.55f, 6);
}

}  // namespace
}  // namespace qwtest
