#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngFrameCache.h"
#include "Engine/EngWindow.h"

// A renderbuffer: both copies are blits, which leave the device's texture state alone.
static GLuint cache_framebuffer = 0, cache_renderbuffer = 0;
static GLint cache_width = 0, cache_height = 0;
static char cache_valid = 0, cache_failed = 0;

static char Supported() { return glewIsSupported("GL_ARB_framebuffer_object") || GLEW_VERSION_3_0; }

static char MakeStore(GLint width, GLint height) {
  if (cache_framebuffer && cache_width == width && cache_height == height) return 1;
  EngFrameCacheDeleteGraphics_GL();
  if (cache_failed || !Supported()) return 0;
  glGenRenderbuffers(1, &cache_renderbuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, cache_renderbuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glGenFramebuffers(1, &cache_framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, cache_framebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, cache_renderbuffer);
  const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    DebugErrorAlt(ENG_FUNC, "Frame store incomplete (0x%x): frames are drawn whole", unsigned(status));
    EngFrameCacheDeleteGraphics_GL();
    cache_failed = 1;
    return 0;
  }
  cache_width = width;
  cache_height = height;
  return 1;
}

// A software rasteriser copies the back buffer to the window at a swap and keeps it.
static char BackBufferKept() {
  static int kept = -1;
  if (kept < 0) {
    const char *renderer = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
    kept = renderer && (strstr(renderer, "llvmpipe") || strstr(renderer, "softpipe") || strstr(renderer, "swrast"));
  }
  return char(kept);
}

// Scissoring would turn the blit into a drawn quad; the whole window is copied unscissored.
static void Blit(GLuint from, GLuint to, GLint x = 0, GLint y = 0, GLint w = -1, GLint h = -1) {
  if (w < 0) w = cache_width;
  if (h < 0) h = cache_height;
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
  glBlitFramebuffer(x, y, x + w, y + h, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

char EngFrameCacheSave_GL() {
  cache_valid = 0;
  if (!eng_main_device_gl || eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (!MakeStore(eng_main_window_width, eng_main_window_height)) return 0;
  Blit(0, cache_framebuffer);
  cache_valid = 1;
  return 1;
}

char EngFrameCacheRestore_GL() {
  if (!EngFrameCacheIsValid_GL()) return 0;
  Blit(cache_framebuffer, 0);
  return 1;
}

char EngFrameCacheRestoreArea_GL(float x, float y, float w, float h) {
  if (!EngFrameCacheIsValid_GL()) return 0;
  const float sx = float(cache_width) / 640.0f, sy = float(cache_height) / 480.0f;
  // Whole pixels that cover the area, within the window.
  GLint left = GLint(std::floor(x * sx)), top = GLint(std::floor(y * sy));
  GLint right = GLint(std::ceil((x + w) * sx)), bottom = GLint(std::ceil((y + h) * sy));
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, cache_width);
  bottom = std::min(bottom, cache_height);
  if (right <= left || bottom <= top) left = top = right = bottom = 0;
  if (BackBufferKept())
    Blit(cache_framebuffer, 0, left, cache_height - bottom, right - left, bottom - top);
  else
    Blit(cache_framebuffer, 0);
  eng_main_device_gl->CropToArea(left, top, right - left, bottom - top);
  return 1;
}

char EngFrameCacheIsValid_GL() {
  return cache_valid && cache_width == eng_main_window_width && cache_height == eng_main_window_height;
}

void EngFrameCacheInvalidate_GL() { cache_valid = 0; }

// Also run when the context goes: its names die with it.
void EngFrameCacheDeleteGraphics_GL() {
  if (cache_framebuffer && eng_main_device_gl) glDeleteFramebuffers(1, &cache_framebuffer);
  if (cache_renderbuffer && eng_main_device_gl) glDeleteRenderbuffers(1, &cache_renderbuffer);
  cache_framebuffer = cache_renderbuffer = 0;
  cache_width = cache_height = 0;
  cache_valid = 0;
}
