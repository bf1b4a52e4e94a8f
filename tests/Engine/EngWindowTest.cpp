// The window's portable half on the headless native half: callback orders of creation,
// re-creation, resolution change and toggle, failures and their recovery, the window
// ratios, resize coalescing, the input translators with the key table, and the corner.
#include "Engine/EngWindow.h"
#include "Engine/EngMainOrientation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/MAC/EngWindowPlatform_MAC.h"
#include "tests/support/TestSupport.h"

using ::testing::ElementsAre;

namespace {

std::vector<std::string> calls;
std::vector<std::string> popups;

void RecordPopup(_EngMiscPopupType, const char *title, const char *text) {
  popups.push_back(std::string(title) + "|" + text);
}

struct ProcessExited {
  int status;
};
void ThrowOnExit(int status) { throw ProcessExited{status}; }

class TraceProgram : public EngProgram {
 public:
  signed char pre_device_init = 1;
  signed char create_objects = 1;
  signed char consume_keys = 0;
  std::vector<std::string> input;

  signed char PreCreateWindowCB(_EngCreateWindowParms *) override { return Rec("PreCreateWindowCB", 1); }
  signed char PreDeviceInitCB() override { return Rec("PreDeviceInitCB", pre_device_init); }
  signed char PostDeviceInitCB() override { return Rec("PostDeviceInitCB", 1); }
  signed char PreCreateGraphicsObjectsCB() override { return Rec("PreCreateGraphicsObjectsCB", 1); }
  signed char CreateGraphicsObjectsCB() override { return Rec("CreateGraphicsObjectsCB", create_objects); }
  signed char PostCreateGraphicsObjectsCB() override { return Rec("PostCreateGraphicsObjectsCB", 1); }
  void PreDestroyGraphicsDeviceCB() override { calls.push_back("PreDestroyGraphicsDeviceCB"); }
  void DestroyGraphicsObjectsCB() override { calls.push_back("DestroyGraphicsObjectsCB"); }
  void PostDestroyGraphicsObjectsCB() override { calls.push_back("PostDestroyGraphicsObjectsCB"); }
  void WindowResizedCB() override { calls.push_back("WindowResizedCB"); }
  void PreDeviceExitCB() override { calls.push_back("PreDeviceExitCB"); }
  void PostDeviceExitCB() override { calls.push_back("PostDeviceExitCB"); }
  void OrientationChangedCB(_EngOrientation) override { calls.push_back("OrientationChangedCB"); }
  void WindowActivatedCB(char a) override { calls.push_back(a ? "Activated(1)" : "Activated(0)"); }
  signed char InputCB(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2) override {
    input.push_back(std::to_string(int(type)) + ":" + std::to_string(p1) + ":" + std::to_string(p2));
    return consume_keys;
  }

 private:
  signed char Rec(const char *name, signed char r) {
    calls.push_back(name);
    return r;
  }
};

class EngWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    popups.clear();
    EngProgramSetResourcesPathForTests(m_dir.Path().c_str());
    EngMiscSetPopupHandlerForTests(RecordPopup);
    EngWindowForceHeadlessForTests(1);
    EngWindowFailNativeCreationsForTests(0);
    m_program = new TraceProgram();
    m_window = new EngWindow(m_program, "Quarrelwick");
  }
  void TearDown() override {
    delete m_window;
    delete m_program;  // also after a forced exit, which lets go of eng_main_program
    EngProgramSetResourcesPathForTests(nullptr);
    EngMiscSetPopupHandlerForTests(nullptr);
    EngMainSetProcessExitForTests(nullptr);
    EngWindowForceHeadlessForTests(0);
    EngWindowFailNativeCreationsForTests(0);
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
  }
  void Open(int width = 1024, int height = 768) {
    _EngCreateWindowParms parms;
    parms.width = width;
    parms.height = height;
    ASSERT_EQ(m_window->Create(&parms), 1);
    ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
    calls.clear();
  }
  qwtest::TempDir m_dir;
  TraceProgram *m_program = nullptr;
  EngWindow *m_window = nullptr;
};

const char *const kObjectsRebuilt[] = {
    "PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",    "PostDestroyGraphicsObjectsCB",
    "PreCreateGraphicsObjectsCB", "CreateGraphicsObjectsCB",     "PostCreateGraphicsObjectsCB",
    "WindowResizedCB"};

std::vector<std::string> Rebuilt() { return {std::begin(kObjectsRebuilt), std::end(kObjectsRebuilt)}; }

TEST_F(EngWindowTest, CreationAndDestructionRunTheCallbacksInOrder) {
  _EngCreateWindowParms parms;
  ASSERT_EQ(m_window->Create(&parms), 1);
  ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
  EXPECT_THAT(calls, ElementsAre("PreCreateWindowCB", "PreDeviceInitCB", "PreCreateGraphicsObjectsCB",
                                 "CreateGraphicsObjectsCB", "PostCreateGraphicsObjectsCB", "WindowResizedCB",
                                 "PostDeviceInitCB"));
  EXPECT_EQ(eng_main_window, m_window);
  EXPECT_EQ(eng_main_device, m_window->GetDevice());
  EXPECT_EQ(eng_main_window_width, 1024);
  EXPECT_EQ(eng_main_window_height, 768);

  calls.clear();
  // A second creation on a created device only runs the device-level callbacks.
  EXPECT_EQ(m_window->CreateGraphicsDevice(), 1);
  EXPECT_THAT(calls, ElementsAre("PreDeviceInitCB", "PostDeviceInitCB"));

  calls.clear();
  m_window->Destroy();
  EXPECT_THAT(calls, ElementsAre("PreDeviceExitCB", "PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "PostDeviceExitCB"));
  EXPECT_EQ(eng_main_window, nullptr);
  EXPECT_EQ(eng_main_device, nullptr);
}

TEST_F(EngWindowTest, FailingCallbacksStopOrGoOnAsTheirResultsSay) {
  _EngCreateWindowParms parms;
  ASSERT_EQ(m_window->Create(&parms), 1);
  m_program->pre_device_init = -1;
  EXPECT_EQ(m_window->CreateGraphicsDevice(), 0);
  EXPECT_THAT(calls, ElementsAre("PreCreateWindowCB", "PreDeviceInitCB"));
  EXPECT_EQ(m_window->GetDevice(), nullptr);

  // CreateGraphicsObjectsCB fails only on 0: a negative result goes on.
  calls.clear();
  m_program->pre_device_init = 1;
  m_program->create_objects = -1;
  EXPECT_EQ(m_window->CreateGraphicsDevice(), 1);
  EXPECT_THAT(calls.back(), "PostDeviceInitCB");

  calls.clear();
  m_program->create_objects = 0;
  EXPECT_EQ(m_window->RecreateDevice(), 0);
  EXPECT_THAT(calls, ElementsAre("PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "PreCreateGraphicsObjectsCB",
                                 "CreateGraphicsObjectsCB"));
}

TEST_F(EngWindowTest, ReCreationAndModeChangesRunOnlyTheGraphicsObjectCallbacks) {
  Open();
  EXPECT_EQ(m_window->RecreateDevice(), 1);
  EXPECT_EQ(calls, Rebuilt());

  // A resolution request waits for the frame's event poll; a re-create request goes first.
  calls.clear();
  _EngWindowResChangeSettings settings = {1, 1, 800, 600, 32, -1, -1, 60, 0, 0, 0};
  int done = 0;
  m_window->ChangeDeviceResolutionOnNextTick(&settings, [](void *d) { ++*static_cast<int *>(d); }, &done);
  m_window->RecreateDeviceOnNextTick();
  m_window->GetWindowEvents();
  EXPECT_EQ(calls, Rebuilt());
  EXPECT_EQ(done, 0);
  EXPECT_EQ(eng_main_window_width, 1024);

  calls.clear();
  m_window->GetWindowEvents();
  EXPECT_EQ(done, 1);
  EXPECT_THAT(calls, ElementsAre("PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "PreCreateWindowCB", "PreCreateGraphicsObjectsCB",
                                 "CreateGraphicsObjectsCB", "PostCreateGraphicsObjectsCB", "WindowResizedCB"));
  EXPECT_EQ(eng_main_window_width, 800);
  EXPECT_EQ(eng_main_window_height, 600);
  EXPECT_EQ(eng_main_window, m_window);

  // The toggle: full screen takes the closest display mode, and back.
  calls.clear();
  EXPECT_EQ(m_window->ToggleFullscreenMode(), 1);
  EXPECT_THAT(calls, ElementsAre("PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "PreCreateWindowCB", "PreCreateGraphicsObjectsCB",
                                 "CreateGraphicsObjectsCB", "PostCreateGraphicsObjectsCB", "WindowResizedCB",
                                 "WindowResizedCB"));
  EXPECT_EQ(eng_main_window_windowed, 0);
  EXPECT_EQ(eng_main_window_width, 800);
  EXPECT_EQ(m_window->ToggleFullscreenMode(), 1);
  EXPECT_EQ(eng_main_window_windowed, 1);
}

TEST_F(EngWindowTest, AFailedToggleRestoresThePreviousModeAndKeepsAQuit) {
  Open();
  m_program->SetExitingFlag();  // a real quit in the same frame must survive the toggle
  EngWindowFailNativeCreationsForTests(1);
  EXPECT_EQ(m_window->ToggleFullscreenMode(), 0);
  EXPECT_EQ(eng_main_window, m_window);
  ASSERT_NE(m_window->GetDevice(), nullptr);
  EXPECT_EQ(m_window->GetDevice()->IsCreated(), 1);
  EXPECT_EQ(eng_main_window_windowed, 1);
  EXPECT_EQ(eng_main_window_width, 1024);
  EXPECT_EQ(m_program->IsExiting(), 1);
  EXPECT_EQ(m_window->IsChangingMode(), 0);
}

TEST_F(EngWindowTest, AChangeThatCannotBeUndoneEndsTheProgramWithItsPopup) {
  Open();
  EngMainSetProcessExitForTests(ThrowOnExit);
  EngWindowFailNativeCreationsForTests(2);
  _EngWindowResChangeSettings settings = {1, 1, 800, 600, 32, -1, -1, 60, 0, 0, 0};
  m_window->ChangeDeviceResolutionOnNextTick(&settings, nullptr, nullptr);
  try {
    m_window->GetWindowEvents();
    FAIL() << "the program went on without a window";
  } catch (const ProcessExited &e) {
    EXPECT_EQ(e.status, -1);
  }
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0], "ERROR|Could not re-create graphics device and/or objects");
  EXPECT_EQ(eng_main_program, nullptr);
}

TEST_F(EngWindowTest, ActivationMessagesAreDroppedWhileExitingOrUnchanged) {
  Open();
  m_window->GotActiveMsg(1);  // no change
  m_window->GotActiveMsg(0);
  m_program->SetExitingFlag();
  m_window->GotActiveMsg(1);
  EXPECT_THAT(calls, ElementsAre("Activated(0)"));
}

TEST_F(EngWindowTest, ResizeBurstsReCreateTheDeviceOncePerFrame) {
  Open();
  eng_main_current_time = 10.0;
  eng_main_frames_per_second = 1.0f / 60.0f;
  m_window->MsgsWindowSizeChanged(900, 700);
  m_window->MsgsWindowSizeChanged(1000, 700);
  m_window->MsgsWindowSizeChanged(1100, 800);
  m_window->GetWindowEvents();
  std::vector<std::string> once = Rebuilt();
  once.push_back("WindowResizedCB");  // the resize's own report after the re-creation
  EXPECT_EQ(calls, once);
  EXPECT_EQ(eng_main_window_width, 1100);

  // More reports in the same frame wait for the next one.
  calls.clear();
  m_window->MsgsWindowSizeChanged(1200, 800);
  m_window->GetWindowEvents();
  EXPECT_TRUE(calls.empty());
  eng_main_current_time = eng_main_current_time + 0.02;
  m_window->GetWindowEvents();
  EXPECT_EQ(eng_main_window_width, 1200);
  eng_main_current_time = 0.0;
}

struct RatioCase {
  int width, height;
  float x_ratio, y_ratio, widescreen, narrowscreen;
  char portraited;
};

TEST_F(EngWindowTest, WindowVariablesGiveTheRatios) {
  const RatioCase cases[] = {
      {640, 480, 1.0f, 1.0f, 1.0f, 1.0f, 0},
      {1280, 720, 2.0f, 1.5f, 0.75f, 1.0f, 0},
      {600, 800, 0.9375f, 5.0f / 3.0f, 1.0f, 0.75f, 1},
      {1280, 960, 2.0f, 2.0f, 1.0f, 1.0f, 0},
      {1, 1, 1.0f / 640, 1.0f / 480, 1.0f, 1.0f, 0},
  };
  for (const RatioCase &c : cases) {
    m_window->UpdateWindowVariables(1, c.width, c.height, 32, 60);
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    EXPECT_FLOAT_EQ(eng_main_window_x_ratio, c.x_ratio);
    EXPECT_FLOAT_EQ(eng_main_window_y_ratio, c.y_ratio);
    EXPECT_FLOAT_EQ(eng_main_window_x_ratio_inv, 1.0f / c.x_ratio);
    EXPECT_NEAR(eng_main_window_x_widescreen_ratio, c.widescreen, 1e-6);
    EXPECT_FLOAT_EQ(eng_main_window_y_narrowscreen_ratio, c.narrowscreen);
    EXPECT_EQ(eng_main_window_portraited, c.portraited);
    EXPECT_EQ(EngMainGetOrientation(), c.portraited ? ENG_ORIENTATION_PORTRAIT : ENG_ORIENTATION_LANDSCAPE_LEFT);
  }
  // A report of 0 by 0 keeps the size; the disable flags pin the squeezes to 1.
  m_window->UpdateWindowVariables(char(255), 0, 0, -1, -1);
  EXPECT_EQ(eng_main_window_width, 1);
  m_window->UpdateWindowVariables(1, 600, 800, 32, 60);
  m_window->DisableWidescreenOrNarrowscreenCalculations(1, 1);
  EXPECT_FLOAT_EQ(eng_main_window_y_narrowscreen_ratio, 1.0f);
  m_window->DisableWidescreenOrNarrowscreenCalculations(0, 0);
}

TEST_F(EngWindowTest, KeyTableGivesEngineCodes) {
  struct Case {
    int sdl;
    unsigned mods;
    int engine;
  } cases[] = {
      {SDLK_a, 0, 'a'},           {SDLK_a, KMOD_LSHIFT, 'A'},  {SDLK_1, 0, '1'},          {SDLK_SPACE, 0, ' '},
      {SDLK_BACKSPACE, 0, 127},   {SDLK_DELETE, 0, 8},         {SDLK_RETURN, 0, 13},      {SDLK_KP_ENTER, 0, 13},
      {SDLK_TAB, 0, 9},           {SDLK_ESCAPE, 0, 27},        {SDLK_F1, 0, 232},         {SDLK_F5, 0, 236},
      {SDLK_F12, 0, 243},         {SDLK_LEFT, 0, 244},         {SDLK_RIGHT, 0, 245},      {SDLK_UP, 0, 246},
      {SDLK_DOWN, 0, 247},        {SDLK_PAGEUP, 0, 248},       {SDLK_PAGEDOWN, 0, 249},   {SDLK_HOME, 0, 250},
      {SDLK_END, 0, 251},         {SDLK_INSERT, 0, 252},       {SDLK_KP_7, 0, '7'},       {SDLK_LSHIFT, 0, 0},
      {SDLK_CAPSLOCK, 0, 0},
  };
  for (const Case &c : cases) EXPECT_EQ(EngWindowConvertKey_MAC(c.sdl, c.mods), c.engine) << c.sdl;

  EngWindowConvertKey_MAC(SDLK_f, KMOD_LCTRL | KMOD_LSHIFT | KMOD_LALT);
  EXPECT_EQ(eng_key_down[231], 2);  // Ctrl is the command key
  EXPECT_EQ(eng_key_down[228], 2);
  EXPECT_EQ(eng_key_down[230], 2);
  EXPECT_EQ(eng_key_down[229], 0);
  EngWindowKeyModifiersChanged_MAC(0);
  EXPECT_EQ(eng_key_down[231], 0);

  // Ctrl alone with C or V also types the letter; any other modifier (AltGr is Ctrl+Alt) or key
  // types nothing.
  struct Command {
    int sdl;
    unsigned mods;
    int typed;
  } commands[] = {
      {SDLK_c, KMOD_LCTRL, 'c'},  {SDLK_v, KMOD_RCTRL, 'v'},          {SDLK_v, 0, 0},
      {SDLK_x, KMOD_LCTRL, 0},    {SDLK_v, KMOD_LCTRL | KMOD_LSHIFT, 0}, {SDLK_v, KMOD_LCTRL | KMOD_RALT, 0},
      {SDLK_c, KMOD_LGUI, 0},
  };
  for (const Command &c : commands)
    EXPECT_EQ(EngWindowCommandChar_MAC(c.sdl, c.mods), c.typed) << c.sdl << " " << c.mods;
}

TEST_F(EngWindowTest, KeysButtonsAndTextBecomeInputEvents) {
  Open();
  m_window->MsgsKeyDown('a');
  m_window->MsgsCharTyped('a');
  m_window->MsgsKeyDown(236);  // F5: no character
  m_window->MsgsKeyDown(127);  // backspace keeps its character
  m_window->MsgsKeyDown(13);
  m_window->MsgsKeyUp('a');
  EXPECT_THAT(m_program->input, ElementsAre("5:65:0", "7:97:0", "5:236:0", "5:127:0", "7:127:0", "5:13:0", "6:65:0"));
  EXPECT_EQ(eng_key_down[static_cast<unsigned char>('A')], 0);

  m_program->input.clear();
  for (char c : EngUtf8ToLatin1_MAC("\xC3\xA9\xE2\x82\xAC!")) m_window->MsgsCharTyped(EngUInt8(c));
  EXPECT_THAT(m_program->input, ElementsAre("7:233:0", "7:63:0", "7:33:0"));

  m_program->input.clear();
  m_window->MsgsMouseButtonPress(1, 1, 1);
  EXPECT_EQ(eng_key_down[254], 2);
  m_window->MsgsMouseButtonPress(1, 0, 1);
  m_window->MsgsMouseWheelInput(-2);
  EXPECT_THAT(m_program->input, ElementsAre("2:1:1", "2:1:0", "4:-2:0"));
  EXPECT_EQ(eng_key_down[254], 0);
}

TEST_F(EngWindowTest, CtrlFReleasedTogglesFullScreenUnlessConsumed) {
  Open();
  EngWindowKeyModifiersChanged_MAC(KMOD_LCTRL);
  m_program->consume_keys = 1;
  m_window->MsgsKeyUp('f');
  EXPECT_EQ(eng_main_window_windowed, 1);
  m_program->consume_keys = 0;
  m_window->MsgsKeyUp('F');  // Ctrl+Shift+F
  EXPECT_EQ(eng_main_window_windowed, 1);
  m_window->MsgsKeyUp('f');
  EXPECT_EQ(eng_main_window_windowed, 0);
  EngWindowKeyModifiersChanged_MAC(0);
}

// A windowed window's whole client area with the window manager's frame (title bar included)
// lies inside the desktop's usable area: a place that would leave it is moved left and up, a
// size too big for it is cut, and an unplaced window is centred in it.
TEST(EngWindowPlaceTest, TheClientAreaAndItsFrameStayInsideTheUsableDesktop) {
  struct Case {
    const char *name;
    int x, y, width, height;
    _EngWindowArea usable;
    _EngWindowFrame frame;
    _EngWindowArea want;
  } cases[] = {
      {"fits where asked", 100, 100, 640, 480, {0, 0, 1024, 768}, {20, 2, 2, 2}, {100, 100, 640, 480}},
      {"full height under a title bar", 0, 45, 1024, 718, {0, 0, 1024, 768}, {20, 0, 0, 0}, {0, 45, 1024, 718}},
      {"the same with side borders", 0, 45, 1024, 718, {0, 0, 1024, 768}, {20, 1, 1, 1}, {1, 45, 1022, 718}},
      {"above a top panel", 10, 10, 640, 480, {0, 28, 1024, 740}, {20, 0, 0, 0}, {10, 48, 640, 480}},
      {"past the right and the bottom", 900, 700, 640, 480, {0, 0, 1024, 768}, {20, 0, 0, 0}, {384, 288, 640, 480}},
      {"bigger than the desktop", 0, 0, 2000, 2000, {0, 0, 1024, 768}, {20, 4, 4, 4}, {4, 20, 1016, 744}},
      {"centred", -1, -1, 640, 480, {0, 28, 1280, 996}, {20, 0, 0, 0}, {320, 296, 640, 480}},
      {"beside a left dock", 0, 100, 640, 480, {64, 0, 960, 768}, {0, 0, 0, 0}, {64, 100, 640, 480}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const _EngWindowArea got = EngWindowPlaceWindowed_MAC(c.x, c.y, c.width, c.height, c.usable, c.frame);
    EXPECT_EQ(got.x, c.want.x);
    EXPECT_EQ(got.y, c.want.y);
    EXPECT_EQ(got.width, c.want.width);
    EXPECT_EQ(got.height, c.want.height);
    EXPECT_GE(got.x - c.frame.left, c.usable.x);
    EXPECT_GE(got.y - c.frame.top, c.usable.y);
    EXPECT_LE(got.x + got.width + c.frame.right, c.usable.x + c.usable.width);
    EXPECT_LE(got.y + got.height + c.frame.bottom, c.usable.y + c.usable.height);
  }
}

// A full-screen size the display does not offer (saved on a bigger one) becomes the closest mode
// it does offer, whichever way the window is made: never bigger than the display can show.
TEST_F(EngWindowTest, AFullScreenWindowTakesTheClosestModeTheDisplayOffers) {
  const _EngDisplayModeInfo modes[] = {{800, 600, 32, 60.0f}, {1024, 768, 32, 60.0f}, {1024, 768, 32, 75.0f}};
  const _EngDisplayModeInfo desktop = {1024, 768, 32, 60.0f};
  EngResModesSetDisplayForTests(modes, 3, &desktop);
  struct Case {
    int width, height, frequency;
    int want_width, want_height, want_frequency;
  } cases[] = {{1280, 1024, 60, 1024, 768, 60}, {1024, 768, 75, 1024, 768, 75}, {640, 480, 0, 800, 600, 60}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    _EngCreateWindowParms parms;
    parms.windowed = 0;
    parms.width = c.width;
    parms.height = c.height;
    parms.frequency = c.frequency;
    ASSERT_EQ(m_window->Create(&parms), 1);
    ASSERT_EQ(m_window->CreateGraphicsDevice(), 1);
    EXPECT_EQ(eng_main_window_windowed, 0);
    EXPECT_EQ(eng_main_window_width, c.want_width);
    EXPECT_EQ(eng_main_window_height, c.want_height);
    EXPECT_EQ(eng_main_window_frequency, c.want_frequency);
    m_window->Destroy();
  }

  // A toggle to full screen asks for the size of the full-screen set.
  Open(800, 600);
  m_window->SetVarsForFullscreenModeToggle(-1, -1, -1, -1, -1, -1, 1280, 1024, 32, 60);
  ASSERT_EQ(m_window->ToggleFullscreenMode(), 1);
  EXPECT_EQ(eng_main_window_width, 1024);
  EXPECT_EQ(eng_main_window_height, 768);
}

}  // namespace
