// The window on a real X display (Xvfb): an OpenGL window that opens, resizes, toggles full
// screen and closes, input pushed through SDL reaching InputCB, pointer warps whose late motion
// events move nothing back, the way back from a full-screen set-up that fails after taking the
// display, and sizes given beyond the display held at its size.
#include "Engine/EngWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngContext.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "tests/support/TestSupport.h"

using ::testing::Contains;
using ::testing::ElementsAre;

namespace {

std::vector<std::string> popups;
void RecordPopup(_EngMiscPopupType, const char *title, const char *text) {
  popups.push_back(std::string(title) + "|" + text);
}

class InputProgram : public EngProgram {
 public:
  std::vector<std::string> input;
  std::vector<std::string> moves;
  int resized = 0;
  signed char InputCB(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2) override {
    if (type != ENG_INPUT_MOUSE_MOVE) {
      input.push_back(std::to_string(int(type)) + ":" + std::to_string(p1) + ":" + std::to_string(p2));
    } else {
      input.push_back("1");
      moves.push_back(std::to_string(int(EngInputParmToFloat(p1))) + "," +
                      std::to_string(int(EngInputParmToFloat(p2))));
    }
    return 0;
  }
  void WindowResizedCB() override { resized++; }
};

class EngWindowDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    popups.clear();
    EngProgramSetResourcesPathForTests(m_dir.Path().c_str());
    EngMiscSetPopupHandlerForTests(RecordPopup);
    m_program = new InputProgram();
    m_window = new EngWindow(m_program, "Quarrelwick");
  }
  void TearDown() override {
    delete m_window;
    delete m_program;  // also after a forced exit, which lets go of eng_main_program
    EngWindowSetDesktopForTests(nullptr, nullptr);
    EngContextFailAfterTakingDisplayForTests(0);
    EngProgramSetResourcesPathForTests(nullptr);
    EngMiscSetPopupHandlerForTests(nullptr);
  }
  SDL_Window *Native() { return static_cast<SDL_Window *>(m_window->GetNativeWindow_MAC()); }
  void Pump(int rounds) {
    for (int i = 0; i < rounds; i++) {
      eng_main_current_time = eng_main_current_time + 0.05;
      m_window->GetWindowEvents();
      SDL_Delay(10);
    }
  }
  // Handles every event the X server has made for what was asked of it so far, however slow
  // the machine: a warp asked for is made in the first pass, and a round trip puts whatever the
  // server sent before its reply into the queue that the second pass reads.
  void Settle() {
    Pump(1);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(Native(), &info)) << SDL_GetError();
    XSync(info.info.x11.display, False);
    Pump(1);
  }
  qwtest::TempDir m_dir;
  InputProgram *m_program = nullptr;
  EngWindow *m_window = nullptr;
};

TEST_F(EngWindowDisplayTest, AWindowOpensResizesTogglesAndCloses) {
  _EngCreateWindowParms parms;
  parms.width = 640;
  parms.height = 480;
  ASSERT_EQ(m_window->Create(&parms), 1);
  ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
  ASSERT_NE(Native(), nullptr);
  EXPECT_EQ(eng_gl_3d_setup, 1);
  EXPECT_EQ(EngContextGlewIsReady_MAC(), 1);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);
  m_window->GetDevice()->SetClearColour(0, 0, 0);
  m_window->GetDevice()->ClearScreen();
  m_window->GetDevice()->SwapBuffers();

  // A resize from outside reaches the window globals and re-creates the device.
  int before = m_program->resized;
  SDL_SetWindowSize(Native(), 800, 600);
  EXPECT_TRUE(qwtest::WaitUntil([&] {
    Pump(1);
    return eng_main_window_width == 800 && eng_main_window_height == 600;
  })) << "never resized: " << eng_main_window_width << "x" << eng_main_window_height;
  EXPECT_EQ(eng_main_window_width, 800);
  EXPECT_EQ(eng_main_window_height, 600);
  EXPECT_GT(m_program->resized, before);
  EXPECT_EQ(eng_gl_3d_setup, 1);

  // Full screen covers the display (Xvfb's one mode), and back to a window of a chosen size.
  ASSERT_EQ(m_window->ToggleFullscreenMode(), 1);
  EXPECT_EQ(eng_main_window_windowed, 0);
  EXPECT_TRUE(SDL_GetWindowFlags(Native()) & SDL_WINDOW_FULLSCREEN);
  EXPECT_EQ(eng_main_window_width, 1280);
  EXPECT_EQ(eng_main_window_height, 1024);
  EXPECT_EQ(eng_gl_3d_setup, 1);
  m_window->SetVarsForFullscreenModeToggle(700, 500, -1, -1, -1, -1, -1, -1, -1, -1);
  ASSERT_EQ(m_window->ToggleFullscreenMode(), 1);
  EXPECT_EQ(eng_main_window_windowed, 1);
  EXPECT_FALSE(SDL_GetWindowFlags(Native()) & SDL_WINDOW_FULLSCREEN);
  int w = 0, h = 0;
  SDL_GetWindowSize(Native(), &w, &h);
  EXPECT_EQ(w, 700);
  EXPECT_EQ(h, 500);
  EXPECT_EQ(m_program->IsExiting(), 0);  // our own teardown is no quit

  // Closing the window ends the program; it does not close the window by itself.
  SDL_Event close = {};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(Native());
  SDL_PushEvent(&close);
  m_window->GetWindowEvents();
  EXPECT_EQ(m_program->IsExiting(), 1);
  EXPECT_NE(Native(), nullptr);
  m_window->Destroy();
  EXPECT_EQ(Native(), nullptr);
  EXPECT_EQ(eng_gl_3d_setup, 0);
  EXPECT_EQ(eng_main_window, nullptr);
}

TEST_F(EngWindowDisplayTest, PushedInputReachesTheProgram) {
  _EngCreateWindowParms parms;
  parms.width = 640;
  parms.height = 480;
  ASSERT_EQ(m_window->Create(&parms), 1);
  ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
  Settle();
  m_program->input.clear();
  Uint32 id = SDL_GetWindowID(Native());

  SDL_Event e = {};
  e.type = SDL_KEYDOWN;
  e.key.windowID = id;
  e.key.keysym.sym = SDLK_F5;
  SDL_PushEvent(&e);
  e.key.keysym.sym = SDLK_a;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = id;
  strcpy(e.text.text, "a\xC3\xA9");
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = id;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.clicks = 1;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = id;
  e.wheel.y = 1;
  SDL_PushEvent(&e);
  SDL_PushEvent(&e);  // a repeat in the same frame is dropped
  e = {};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = id;
  e.motion.x = 33;
  e.motion.y = 44;
  SDL_PushEvent(&e);
  // The main loop's wait for input leaves what is pending for the events' pass.
  EXPECT_EQ(m_window->WaitForEvents_MAC(5.0), 1);
  m_window->GetWindowEvents();

  EXPECT_THAT(m_program->input, ElementsAre("5:236:0", "5:65:0", "7:97:0", "7:233:0", "2:1:1", "4:1:0", "1"));
  int x = 0, y = 0;
  m_window->GetCursorPos(&x, &y);
  EXPECT_EQ(x, 33);
  EXPECT_EQ(y, 44);
}

// A round of Tabs handled in one pass over the events puts the pointer on six widgets before
// the first warp's motion event comes back from the X server. None of those late echoes may
// put the pointer back on a widget the focus has left (the next Tab would start from there and
// Return press the wrong button); the pointer ends where it was put last, the real one too.
TEST_F(EngWindowDisplayTest, LateEchoesOfPointerWarpsMoveNothingBack) {
  _EngCreateWindowParms parms;
  parms.width = 640;
  parms.height = 480;
  ASSERT_EQ(m_window->Create(&parms), 1);
  ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
  m_window->SetCursorPos(40, 240);
  Settle();
  m_program->moves.clear();

  for (int y : {137, 187, 237, 287, 337, 387}) m_window->SetCursorPos(320, y);
  Settle();
  for (const std::string &move : m_program->moves) EXPECT_EQ(move, "320,387");
  int x = 0, y = 0;
  m_window->GetCursorPos(&x, &y);
  EXPECT_EQ(x, 320);
  EXPECT_EQ(y, 387);
  SDL_GetMouseState(&x, &y);
  EXPECT_EQ(x, 320);
  EXPECT_EQ(y, 387);

  // A move of the player's after a warp stands.
  m_window->SetCursorPos(100, 100);
  Settle();
  SDL_WarpMouseInWindow(Native(), 500, 400);
  m_program->moves.clear();
  Settle();
  EXPECT_THAT(m_program->moves, Contains("500,400"));
  m_window->GetCursorPos(&x, &y);
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 400);
}

TEST_F(EngWindowDisplayTest, AFailedFullScreenSetUpGivesTheDisplayBack) {
  _EngCreateWindowParms parms;
  parms.windowed = 0;
  parms.width = 1280;
  parms.height = 1024;
  ASSERT_EQ(m_window->Create(&parms), 1);
  EngContextFailAfterTakingDisplayForTests(1);
  EXPECT_EQ(m_window->CreateGraphicsDevice(), 0);
  EXPECT_EQ(eng_gl_3d_setup, 0);
  EXPECT_FALSE(SDL_GetWindowFlags(Native()) & SDL_WINDOW_FULLSCREEN);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  EXPECT_THAT(popups, Contains("Error setting up display context|Try changing the graphics settings and restarting."));
}

// The window manager's frame is allowed for where the window is put: the client area lands
// where the placement rule says, and the X server has it there.
TEST_F(EngWindowDisplayTest, AWindowedWindowLandsInsideTheUsableDesktopWithItsFrame) {
  const _EngWindowArea usable = {0, 28, 1024, 740};
  const _EngWindowFrame frame = {20, 2, 2, 2};
  EngWindowSetDesktopForTests(&usable, &frame);
  const int requests[][4] = {{0, 45, 1024, 718}, {900, 700, 640, 480}, {-1, -1, 640, 480}};
  for (const auto &r : requests) {
    SCOPED_TRACE(std::to_string(r[0]) + "," + std::to_string(r[1]));
    _EngCreateWindowParms parms;
    parms.x = r[0];
    parms.y = r[1];
    parms.width = r[2];
    parms.height = r[3];
    ASSERT_EQ(m_window->Create(&parms), 1);
    ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
    const _EngWindowArea want = EngWindowPlaceWindowed_MAC(r[0], r[1], r[2], r[3], usable, frame);
    int x = -1, y = -1, w = 0, h = 0;
    SDL_GetWindowPosition(Native(), &x, &y);
    SDL_GetWindowSize(Native(), &w, &h);
    EXPECT_EQ(x, want.x);
    EXPECT_EQ(y, want.y);
    EXPECT_EQ(w, want.width);
    EXPECT_EQ(h, want.height);
    EXPECT_EQ(eng_main_window_width, want.width);
    EXPECT_EQ(eng_main_window_height, want.height);
    EXPECT_GE(y - frame.top, usable.y);
    EXPECT_LE(y + h + frame.bottom, usable.y + usable.height);
    m_window->Destroy();
  }
}

// Sizes far past the display, given from outside (there is no window manager on the test
// server to refuse them), are held at the display's size: the window globals and the device
// never take more than the display, and the native window is made no larger than it again, in a
// window and full screen. A windowed window also tells a window manager the display's size as
// its largest.
TEST_F(EngWindowDisplayTest, ASizeGivenBeyondTheDisplayIsHeldAtTheDisplaysSize) {
  const struct {
    char windowed;
    int width, height;
  } starts[] = {{1, 640, 480}, {0, 1280, 1024}};
  const struct { unsigned width, height; } sizes[] = {{16000, 16000}, {5000, 400}, {400, 5000}};
  const int display_w = 1280, display_h = 1024;
  for (const auto &start : starts) {
    SCOPED_TRACE(start.windowed ? "windowed" : "full screen");
    _EngCreateWindowParms parms;
    parms.windowed = start.windowed;
    parms.width = start.width;
    parms.height = start.height;
    ASSERT_EQ(m_window->Create(&parms), 1);
    ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
    if (start.windowed) {
      int max_w = 0, max_h = 0;
      SDL_GetWindowMaximumSize(Native(), &max_w, &max_h);
      EXPECT_EQ(max_w, display_w);
      EXPECT_EQ(max_h, display_h);
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(Native(), &info)) << SDL_GetError();
    for (const auto &size : sizes) {
      SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
      XResizeWindow(info.info.x11.display, info.info.x11.window, size.width, size.height);
      XSync(info.info.x11.display, False);
      const int held_w = std::min<int>(int(size.width), display_w), held_h = std::min<int>(int(size.height), display_h);
      // The report is handled, and the native window made smaller again, within a few passes.
      int largest_w = 0, largest_h = 0;
      XWindowAttributes a = {};
      EXPECT_TRUE(qwtest::WaitUntil([&] {
        Pump(1);
        largest_w = std::max(largest_w, eng_main_window_width);
        largest_h = std::max(largest_h, eng_main_window_height);
        XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &a);
        return a.width == held_w && a.height == held_h && eng_main_window_width == held_w &&
               eng_main_window_height == held_h;
      })) << "native "
          << a.width << "x" << a.height << ", globals " << eng_main_window_width << "x" << eng_main_window_height;
      EXPECT_LE(largest_w, display_w);
      EXPECT_LE(largest_h, display_h);
      EXPECT_EQ(eng_gl_3d_setup, 1);
    }
    m_window->Destroy();
  }
}

// A full-screen size saved on a bigger display (the test server is 1280 by 1024) gives a window
// that covers this display exactly.
TEST_F(EngWindowDisplayTest, AFullScreenSizeBiggerThanTheDisplayCoversItExactly) {
  _EngCreateWindowParms parms;
  parms.windowed = 0;
  parms.width = 1600;
  parms.height = 1200;
  ASSERT_EQ(m_window->Create(&parms), 1);
  ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
  EXPECT_TRUE(SDL_GetWindowFlags(Native()) & SDL_WINDOW_FULLSCREEN);
  int x = -1, y = -1, w = 0, h = 0;
  SDL_GetWindowPosition(Native(), &x, &y);
  SDL_GetWindowSize(Native(), &w, &h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 1024);
  EXPECT_EQ(eng_main_window_width, 1280);
  EXPECT_EQ(eng_main_window_height, 1024);
}

}  // namespace
