#include "tests/Engine/DeviceTestSupport.h"

#include <GL/glew.h>
#include <SDL.h>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngDim.h"
#include "Engine/EngLights.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngUtilsGL.h"

namespace qwtest {

static void EnsureGlWindow() {
  static SDL_Window *sdl_window = nullptr;
  if (sdl_window) {
    ASSERT_NE(SDL_GL_GetCurrentContext(), nullptr);
    return;
  }
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  sdl_window = SDL_CreateWindow("device tests", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  ASSERT_NE(sdl_window, nullptr) << SDL_GetError();
  ASSERT_NE(SDL_GL_CreateContext(sdl_window), nullptr) << SDL_GetError();
}

void DeviceTest::SetUp() {
  EnsureGlWindow();
  EngDeviceGL_ResetForTests();
  EngLightsResetForTests();
  EngDimResetForTests();
  EngUtilsGL_ResetForTests();
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  window.reset(new EngWindow(nullptr, "device tests"));
  eng_main_window = window.get();
  eng_main_window_width = 640;
  eng_main_window_height = 480;
  device.reset(new EngDevice(window.get()));
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  ASSERT_EQ(eng_main_device, device.get());
  ASSERT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

void DeviceTest::TearDown() {
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  device.reset();
  EXPECT_EQ(eng_main_device_gl, nullptr);
  EXPECT_EQ(eng_gl_3d_setup, 0);
  eng_main_window = nullptr;
  window.reset();
  eng_main_device_type = 0;
}

std::string DeviceTest::Logged(const std::function<void()> &f) {
  ::testing::internal::CaptureStderr();
  f();
  return ::testing::internal::GetCapturedStderr();
}

void DeviceTest::ReadPixel(int x, int y, unsigned char rgb[3]) {
  unsigned char rgba[4] = {0, 0, 0, 0};
  glReadPixels(x, eng_main_window_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  rgb[0] = rgba[0];
  rgb[1] = rgba[1];
  rgb[2] = rgba[2];
}

char DeviceTest::At(int x, int y) {
  unsigned char p[3];
  ReadPixel(x, y, p);
  auto on = [](unsigned char v) { return v > 200; };
  auto off = [](unsigned char v) { return v < 55; };
  if (on(p[0]) && on(p[1]) && on(p[2])) return 'w';
  if (off(p[0]) && off(p[1]) && off(p[2])) return 'k';
  if (on(p[0]) && off(p[1]) && off(p[2])) return 'r';
  if (off(p[0]) && on(p[1]) && off(p[2])) return 'g';
  if (off(p[0]) && off(p[1]) && on(p[2])) return 'b';
  return '?';
}

}  // namespace qwtest
