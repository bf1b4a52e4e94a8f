// Checks that display tests really get an X display with OpenGL under the CTest fixture.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

TEST(DisplayFixture, OpensAnSdlWindowWithAnOpenGlContext) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_Window *window = SDL_CreateWindow("fixture", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 320, 240,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_GLContext context = SDL_GL_CreateContext(window);
  ASSERT_NE(context, nullptr) << SDL_GetError();
  EXPECT_EQ(glewInit(), GLEW_OK);

  glClearColor(0.2f, 0.4f, 0.3f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char pixel[4] = {0, 0, 0, 0};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_NEAR(pixel[0], 51, 1);
  EXPECT_NEAR(pixel[1], 102, 1);
  EXPECT_NEAR(pixel[2], 76, 1);

  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
}
