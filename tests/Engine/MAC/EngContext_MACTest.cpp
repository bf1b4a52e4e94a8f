// The main window's context on a real X display (Xvfb, Mesa's software renderer): the
// anti-aliasing setting asked of the pixel format and applied to the device, and the popup of a
// context that cannot be made.
#include "Engine/EngContext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
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
  // The attributes below are only kept once video is up, on the driver the engine picks.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    setenv("SDL_VIDEODRIVER", "x11", 0);
    EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
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

}  // namespace
