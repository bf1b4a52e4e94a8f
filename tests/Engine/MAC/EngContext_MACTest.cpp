// The main window's context on a real X display (Xvfb, Mesa's software renderer): the
// anti-aliasing setting asked of the pixel format and applied to the device, the popup of a
// context that cannot be made, the black frames of a new context, and the fades of the display
// around taking and giving back full screen.
#include "Engine/EngContext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "tests/support/TestSupport.h"

#ifndef GL_MULTISAMPLE_FILTER_HINT_NV
#define GL_MULTISAMPLE_FILTER_HINT_NV 0x8534
#endif

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::vector<std::string> popups;
void RecordPopup(_EngMiscPopupType, const char *title, const char *text) {
  popups.push_back(std::string(title) + "|" + text);
}

const char *const kAntiAliasingHint = "Error setting up display context|Try turning off anti-aliasing and restarting.";
const char *const kSettingsHint = "Error setting up display context|Try changing the graphics settings and restarting.";

// What the engine logged (to standard error under tests) while running f.
std::string Logged(const std::function<void()> &f) {
  ::testing::internal::CaptureStderr();
  f();
  return ::testing::internal::GetCapturedStderr();
}

// Whether the display offers a double-buffered visual with this many samples, asked of SDL
// directly with the attributes the game's window uses.
bool DisplayOffersSamples(int samples) {
  // The attributes are only kept once video is up, on the driver the engine picks.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    setenv("SDL_VIDEODRIVER", "x11", 0);
    EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  EngContextSetGlAttributes_MAC(samples, 1);
  SDL_Window *probe = SDL_CreateWindow("probe", 0, 0, 32, 32, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (probe) SDL_DestroyWindow(probe);
  return probe != nullptr;
}

class EngContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    popups.clear();
    EngProgramSetResourcesPathForTests(m_dir.Path().c_str());
    EngMiscSetPopupHandlerForTests(RecordPopup);
    m_program = new EngProgram();
    m_window = new EngWindow(m_program, "Quarrelwick");
  }
  void TearDown() override {
    delete m_window;
    delete m_program;
    EngContextFailAfterTakingDisplayForTests(0);
    EngProgramSetResourcesPathForTests(nullptr);
    EngMiscSetPopupHandlerForTests(nullptr);
    eng_main_window_aa = 0;
  }
  // A 640 by 480 window asking for this anti-aliasing; the device's result.
  char Open(int anti_aliasing) {
    _EngCreateWindowParms parms;
    parms.width = 640;
    parms.height = 480;
    parms.anti_aliasing = anti_aliasing;
    EXPECT_EQ(m_window->Create(&parms), 1);
    return m_window->CreateGraphicsDevice();
  }
  qwtest::TempDir m_dir;
  EngProgram *m_program = nullptr;
  EngWindow *m_window = nullptr;
};

TEST_F(EngContextTest, TheSettingIsTheSampleCountAsked) {
  const int cases[][2] = {{0, 0}, {2, 2}, {4, 4}, {8, 8}, {-1, 0}};
  for (const auto &c : cases) EXPECT_EQ(EngContextSamplesForAntiAliasing(c[0]), c[1]) << c[0];
}

// One window per count; a count the display does not offer ends in the anti-aliasing hint.
class EngContextSamplesTest : public EngContextTest, public ::testing::WithParamInterface<int> {};

TEST_P(EngContextSamplesTest, MultisamplingFollowsTheSetting) {
  const int samples = GetParam();
  const bool offered = DisplayOffersSamples(samples);
  char created = 0;
  const std::string log = Logged([&] { created = Open(samples); });
  EXPECT_EQ(eng_main_window_aa, samples);
  if (!offered) {
    ASSERT_GT(samples, 0) << "a display without a plain visual";
    EXPECT_EQ(created, 0);
    EXPECT_EQ(eng_gl_3d_setup, 0);
    EXPECT_THAT(log, HasSubstr("Could not find pixel format"));
    EXPECT_THAT(popups, ElementsAre(kAntiAliasingHint));
    return;
  }
  ASSERT_EQ(created, 1) << log;
  EXPECT_TRUE(popups.empty());
  GLint sample_buffers = -1, got_samples = -1;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sample_buffers);
  glGetIntegerv(GL_SAMPLES, &got_samples);
  EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE), samples > 0 ? GL_TRUE : GL_FALSE);
  if (samples > 0) {
    EXPECT_EQ(sample_buffers, 1);
    EXPECT_GE(got_samples, samples);  // a visual may hold more than asked, never fewer
  } else {
    EXPECT_EQ(sample_buffers, 0);
    EXPECT_EQ(got_samples, 0);
  }
  if (SDL_GL_ExtensionSupported("GL_NV_multisample_filter_hint")) {
    GLint hint = 0;
    glGetIntegerv(GL_MULTISAMPLE_FILTER_HINT_NV, &hint);
    EXPECT_EQ(hint, samples > 0 ? GL_NICEST : GL_FASTEST);
  }

  // Applying the shadow state again keeps it; switching the setting off reaches the device.
  eng_main_window_aa = 0;
  m_window->GetDevice()->MiscResetVariables();
  EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE), GL_FALSE);
  eng_main_window_aa = samples;
  m_window->GetDevice()->MiscResetVariables();
  EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE), samples > 0 ? GL_TRUE : GL_FALSE);
}

INSTANTIATE_TEST_SUITE_P(Counts, EngContextSamplesTest, ::testing::Values(0, 2, 4, 8),
                         [](const ::testing::TestParamInfo<int> &info) {
                           return "Samples" + std::to_string(info.param);
                         });

TEST_F(EngContextTest, AFailedSetUpNamesAntiAliasingOnlyWhenItIsOn) {
  struct Case {
    int anti_aliasing;
    const char *popup;
  } cases[] = {{0, kSettingsHint}, {2, kAntiAliasingHint}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.anti_aliasing);
    popups.clear();
    EngContextFailAfterTakingDisplayForTests(1);
    EXPECT_EQ(Open(c.anti_aliasing), 0);
    EXPECT_EQ(eng_gl_3d_setup, 0);
    EXPECT_THAT(popups, ElementsAre(c.popup));
    m_window->Destroy();
  }
}

// No visual has this many samples: the window is still made, and the context's set-up tells
// the user to turn anti-aliasing off.
TEST_F(EngContextTest, ACountNoVisualHoldsEndsInTheAntiAliasingHint) {
  std::string log = Logged([&] { EXPECT_EQ(Open(64), 0); });
  EXPECT_NE(m_window->GetNativeWindow_MAC(), nullptr);
  EXPECT_EQ(eng_gl_3d_setup, 0);
  EXPECT_THAT(log, HasSubstr("Could not find pixel format"));
  EXPECT_THAT(log, HasSubstr("aglCreatePixelFormat failed"));
  EXPECT_THAT(popups, ElementsAre(kAntiAliasingHint));
}

// Every buffer of a new context's swap chain is cleared: four swaps, when there is a program
// to draw.
TEST_F(EngContextTest, ANewContextShowsFourBlackFramesWhenThereIsAProgram) {
  for (const bool with_program : {true, false}) {
    SCOPED_TRACE(with_program ? "with a program" : "without");
    _EngCreateWindowParms parms;
    parms.width = 640;
    parms.height = 480;
    ASSERT_EQ(m_window->Create(&parms), 1);
    EngProgram *program = eng_main_program;
    if (!with_program) eng_main_program = nullptr;
    const EngInt32 before = EngContextSwapsMade_MAC();
    const char created = m_window->CreateGraphicsDevice();
    eng_main_program = program;
    ASSERT_EQ(created, 1);
    EXPECT_EQ(EngContextSwapsMade_MAC() - before, with_program ? 4 : 0);
    m_window->Destroy();
  }
}

// The display's gamma ramp as the fades use it: a saved ramp with a raised black level, and each
// ramp set recorded as its factor, with 'f' when the window was full screen then and 'w' when
// not. Each step's pause moves the held clock on an eighth of a second, so a fade steps by a
// quarter.
namespace fade {

bool refuse_get = false, refuse_set = false;
std::vector<std::string> steps;
int pauses = 0;
double clock = 0.0;

EngUInt16 Saved(int i) { return EngUInt16(1000 + i * 250); }

int Get(void *, EngUInt16 *red, EngUInt16 *green, EngUInt16 *blue) {
  if (refuse_get) return -1;
  for (int i = 0; i < 256; i++) red[i] = green[i] = blue[i] = Saved(i);
  return 0;
}

int Set(void *window, const EngUInt16 *red, const EngUInt16 *green, const EngUInt16 *blue) {
  if (refuse_set) {
    steps.push_back("refused");
    return -1;
  }
  const float factor = float(red[255] - Saved(0)) / float(Saved(255) - Saved(0));
  for (int i = 0; i < 256; i++) {
    EXPECT_NEAR(red[i], Saved(0) + (Saved(i) - Saved(0)) * factor, 1.0) << i;
    EXPECT_EQ(green[i], red[i]);
    EXPECT_EQ(blue[i], red[i]);
  }
  const bool full = SDL_GetWindowFlags(static_cast<SDL_Window *>(window)) & SDL_WINDOW_FULLSCREEN;
  char step[16];
  snprintf(step, sizeof(step), "%c%.2f", full ? 'f' : 'w', factor);
  steps.push_back(step);
  return 0;
}

void Pause(double) {
  pauses++;
  clock += 0.125;
}
double Clock() { return clock; }

}  // namespace fade

class EngContextFadeTest : public EngContextTest {
 protected:
  void SetUp() override {
    EngContextTest::SetUp();
    fade::refuse_get = fade::refuse_set = false;
    fade::steps.clear();
    fade::pauses = 0;
    fade::clock = 0.0;
    EngContextSetGammaRampForTests(fade::Get, fade::Set);
    EngMainSetClockForTests(fade::Clock);
    EngMainSetSleepForTests(fade::Pause);
  }
  void TearDown() override {
    EngContextTest::TearDown();
    EngMainSetSleepForTests(nullptr);
    EngMainSetClockForTests(nullptr);
    EngContextSetGammaRampForTests(nullptr, nullptr);
  }
  char OpenFullScreen() {
    _EngCreateWindowParms parms;
    parms.windowed = 0;
    parms.width = 1280;
    parms.height = 1024;
    EXPECT_EQ(m_window->Create(&parms), 1);
    return m_window->CreateGraphicsDevice();
  }
};

// To black while the window is still a window, from black once it covers the display, then the
// saved ramp whole; giving the display back fades the other way round.
const std::vector<std::string> kToFullScreen = {"w1.00", "w0.75", "w0.50", "w0.25", "w0.00", "f0.00",
                                                "f0.25", "f0.50", "f0.75", "f1.00", "f1.00"};
const std::vector<std::string> kBackFromFullScreen = {"f1.00", "f0.75", "f0.50", "f0.25", "f0.00", "w0.00",
                                                      "w0.25", "w0.50", "w0.75", "w1.00", "w1.00"};

TEST_F(EngContextFadeTest, GoingFullScreenAndBackFadesToBlackAndBackInHalfASecondEach) {
  ASSERT_EQ(OpenFullScreen(), 1);
  EXPECT_EQ(fade::steps, kToFullScreen);
  EXPECT_DOUBLE_EQ(fade::clock, 1.25);  // five pauses a fade
  fade::steps.clear();
  m_window->Destroy();
  EXPECT_EQ(fade::steps, kBackFromFullScreen);

  // A window takes no display and fades nothing.
  fade::steps.clear();
  EXPECT_EQ(Open(0), 1);
  m_window->Destroy();
  EXPECT_TRUE(fade::steps.empty());
}

// A display without a gamma ramp switches at once, saying so once.
TEST_F(EngContextFadeTest, ADisplayThatRefusesAGammaRampSwitchesWithoutWaiting) {
  struct Case {
    const char *name;
    bool refuse_get, refuse_set;
    std::vector<std::string> steps;
  } cases[] = {{"refused when read", true, false, {}}, {"refused when set", false, true, {"refused"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    fade::refuse_get = c.refuse_get;
    fade::refuse_set = c.refuse_set;
    fade::steps.clear();
    fade::pauses = 0;
    const std::string log = Logged([&] {
      EXPECT_EQ(OpenFullScreen(), 1);
      m_window->Destroy();
    });
    EXPECT_EQ(fade::steps, c.steps);
    EXPECT_EQ(fade::pauses, 0);
    size_t lines = 0;
    for (size_t at = log.find("No gamma ramp"); at != std::string::npos; at = log.find("No gamma ramp", at + 1))
      lines++;
    EXPECT_EQ(lines, 1u) << log;
  }
}

// A set-up that fails after the display went black gives the display its own ramp back.
TEST_F(EngContextFadeTest, AFailedFullScreenSetUpPutsTheSavedRampBack) {
  EngContextFailAfterTakingDisplayForTests(1);
  EXPECT_EQ(OpenFullScreen(), 0);
  const std::vector<std::string> want = {"w1.00", "w0.75", "w0.50", "w0.25", "w0.00", "w1.00"};
  EXPECT_EQ(fade::steps, want);
}

// A clock that stands still ends a fade all the same.
TEST_F(EngContextFadeTest, AClockThatStandsStillStillEndsTheFade) {
  EngMainSetSleepForTests([](double) { fade::pauses++; });
  ASSERT_EQ(OpenFullScreen(), 1);
  EXPECT_GT(fade::pauses, 0);
  EXPECT_LE(fade::pauses, 2 * 60);
  EXPECT_EQ(fade::steps.back(), "f1.00");
}

}  // namespace
