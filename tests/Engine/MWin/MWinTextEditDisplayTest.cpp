// Copy and paste typed on the keyboard: Ctrl+V and Ctrl+C pushed into SDL's queue as key events
// travel through the window's event handler, the key table and the program's input callback to
// a text field, in a window and in full screen, against the system clipboard.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class FieldProgram : public EngProgram {
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

// Parameter: 1 windowed, 0 full screen.
class MWinTextEditDisplayTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngProgramSetResourcesPathForTests(dir.Path().c_str());
    EngWhichDeviceResetForTests();
    memset(eng_key_down, 0, sizeof(eng_key_down));
    program = new FieldProgram();
    window = new EngWindow(program, "Quarrelwick");
    _EngCreateWindowParms parms;
    parms.width = 640;
    parms.height = 480;
    parms.windowed = char(GetParam());
    ASSERT_EQ(window->Create(&parms), 1);
    ASSERT_EQ(window->CreateGraphicsDevice(), 1);
    TakeShowingEvents();
    mwin = new MWin(nullptr);
    ASSERT_TRUE(AddVeraBoldFont(mwin, 24));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    program->mwin = mwin;
    MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
    _MWinWindowCreateInfo info = {};
    info.width = 640;
    info.height = 480;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinWindow *w = c->AddWindow("W", &info);
    ASSERT_NE(w, nullptr);
    edit = dynamic_cast<MWinTextEdit *>(
        w->AddButton("NAME", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", nullptr, 100, 100, 300, 40));
    ASSERT_NE(edit, nullptr);
    edit->TextEditSetLength(40);
  }
  void TearDown() override {
    if (program) program->mwin = nullptr;
    delete mwin;
    delete window;
    delete program;
    memset(eng_key_down, 0, sizeof(eng_key_down));
    EngProgramSetResourcesPathForTests(nullptr);
  }
  Uint32 WindowID() { return SDL_GetWindowID(static_cast<SDL_Window *>(window->GetNativeWindow_MAC())); }
  // What comes with the window's showing (its focus, the pointer entering it) arrives with the
  // mapping that SDL waits for: one poll takes it, before the toolkit is there to see it. The
  // test's own events go in one poll each, so what the server sends later comes after them.
  void TakeShowingEvents() { window->GetWindowEvents(); }
  // A click at a design point, in the window's own pixels.
  void ClickDesign(float x, float y) {
    int px = int(x * float(eng_main_window_width) / 640.0f), py = int(y * float(eng_main_window_height) / 480.0f);
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = WindowID();
    e.motion.x = px;
    e.motion.y = py;
    SDL_PushEvent(&e);
    for (int pressed = 1; pressed >= 0; pressed--) {
      e = {};
      e.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.windowID = WindowID();
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
      e.button.clicks = 1;
      e.button.x = px;
      e.button.y = py;
      SDL_PushEvent(&e);
    }
    window->GetWindowEvents();
  }
  // Ctrl down, the letter down and up, Ctrl up: what a keyboard sends.
  void PushCtrl(SDL_Keycode letter) {
    auto key = [&](Uint32 type, SDL_Keycode sym, Uint16 mod) {
      SDL_Event e = {};
      e.type = type;
      e.key.windowID = WindowID();
      e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
      e.key.keysym.sym = sym;
      e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
      e.key.keysym.mod = mod;
      SDL_PushEvent(&e);
    };
    key(SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL);
    key(SDL_KEYDOWN, letter, KMOD_LCTRL);
    key(SDL_KEYUP, letter, KMOD_LCTRL);
    key(SDL_KEYUP, SDLK_LCTRL, KMOD_NONE);
    window->GetWindowEvents();
  }
  std::string Clipboard() {
    char *text = SDL_GetClipboardText();
    std::string out = text ? text : "";
    SDL_free(text);
    return out;
  }

  TempDir dir;
  FieldProgram *program = nullptr;
  EngWindow *window = nullptr;
  MWin *mwin = nullptr;
  MWinTextEdit *edit = nullptr;
};

TEST_P(MWinTextEditDisplayTest, CtrlVPastesAndCtrlCCopiesThroughThePlatformLayer) {
  EXPECT_EQ(eng_main_window_windowed, GetParam());
  ASSERT_EQ(SDL_SetClipboardText("Gr\xc3\xbc\xc3\x9f Gott"), 0);
  ClickDesign(250, 120);
  ASSERT_TRUE(edit->TextEditIsTextBeingEdited());
  PushCtrl(SDLK_v);
  // UTF-8 on the clipboard, ISO 8859-1 in the field.
  EXPECT_STREQ(edit->TextEditGetText(), "Gr\xfc\xdf Gott");
  EXPECT_TRUE(edit->TextEditIsTextBeingEdited());

  ASSERT_EQ(SDL_SetClipboardText("something else"), 0);
  PushCtrl(SDLK_c);
  EXPECT_EQ(Clipboard(), "Gr\xc3\xbc\xc3\x9f Gott");
  EXPECT_STREQ(edit->TextEditGetText(), "Gr\xfc\xdf Gott") << "copying leaves the field alone";

  // A second paste goes in at the cursor, at the end.
  ASSERT_EQ(SDL_SetClipboardText("!"), 0);
  PushCtrl(SDLK_v);
  EXPECT_STREQ(edit->TextEditGetText(), "Gr\xfc\xdf Gott!");
  // Without Ctrl the letters are not typed by the key events (text input types them).
  SDL_Event e = {};
  e.type = SDL_KEYDOWN;
  e.key.windowID = WindowID();
  e.key.keysym.sym = SDLK_v;
  SDL_PushEvent(&e);
  window->GetWindowEvents();
  EXPECT_STREQ(edit->TextEditGetText(), "Gr\xfc\xdf Gott!");
}

INSTANTIATE_TEST_SUITE_P(WindowedAndFullScreen, MWinTextEditDisplayTest, ::testing::Values(1, 0),
                         [](const ::testing::TestParamInfo<int> &info) {
                           return std::string(info.param ? "Windowed" : "FullScreen");
                         });

}  // namespace
}  // namespace qwtest
