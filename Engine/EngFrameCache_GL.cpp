#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngFrameCache.h"
#include "Engine/EngWindow.h"

namespace {

// A renderbuffer each: both copies are blits, which leave the device's texture state alone.
struct Store {
  GLuint framebuffer = 0, renderbuffer = 0;
  GLint width = 0, height = 0;
  char valid = 0;
};

Store stores[ENG_FRAME_CACHES];
char stores_failed = 0;

Store *Get(int slot) { return slot >= 0 && slot < ENG_FRAME_CACHES ? &stores[slot] : nullptr; }

char Supported() { return glewIsSupported("GL_ARB_framebuffer_object") || GLEW_VERSION_3_0; }

void Delete(Store *s) {
  if (s->framebuffer && eng_main_device_gl) glDeleteFramebuffers(1, &s->framebuffer);
  if (s->renderbuffer && eng_main_device_gl) glDeleteRenderbuffers(1, &s->renderbuffer);
  *s = Store();
}

char MakeStore(Store *s, GLint width, GLint height) {
  if (s->framebuffer && s->width == width && s->height == height) return 1;
  Delete(s);
  if (stores_failed || !Supported()) return 0;
  glGenRenderbuffers(1, &s->renderbuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, s->renderbuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glGenFramebuffers(1, &s->framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, s->framebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, s->renderbuffer);
  const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    DebugErrorAlt(ENG_FUNC, "Frame store incomplete (0x%x): frames are drawn whole", unsigned(status));
    Delete(s);
    stores_failed = 1;
    return 0;
  }
  s->width = width;
  s->height = height;
  return 1;
}

// A software rasteriser copies the back buffer to the window at a swap and keeps it.
char BackBufferKept() {
  static int kept = -1;
  if (kept < 0) {
    const char *renderer = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
    kept = renderer && (strstr(renderer, "llvmpipe") || strstr(renderer, "softpipe") || strstr(renderer, "swrast"));
  }
  return char(kept);
}

// Scissoring would make the blit a drawn quad; the copy goes unscissored.
void Blit(const Store &s, GLuint from, GLuint to, GLint x = 0, GLint y = 0, GLint w = -1, GLint h = -1) {
  if (w < 0) w = s.width;
  if (h < 0) h = s.height;
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
  glBlitFramebuffer(x, y, x + w, y + h, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

}  // namespace

char EngFrameCacheSave_GL(int slot) {
  Store *s = Get(slot);
  if (!s) return 0;
  s->valid = 0;
  if (!eng_main_device_gl || eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (!MakeStore(s, eng_main_window_width, eng_main_window_height)) return 0;
  Blit(*s, 0, s->framebuffer);
  s->valid = 1;
  return 1;
}

char EngFrameCacheRestore_GL(int slot) {
  if (!EngFrameCacheIsValid_GL(slot)) return 0;
  const Store &s = stores[slot];
  Blit(s, s.framebuffer, 0);
  return 1;
}

char EngFrameCacheRestoreArea_GL(int slot, float x, float y, float w, float h) {
  if (!EngFrameCacheIsValid_GL(slot)) return 0;
  const Store &s = stores[slot];
  // Whole pixels that cover the area, within the window, where the picture is drawn.
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  EngWindowDesignToPixel(x, y, &x0, &y0);
  EngWindowDesignToPixel(x + w, y + h, &x1, &y1);
  GLint left = std::max(GLint(std::floor(x0)), 0), top = std::max(GLint(std::floor(y0)), 0);
  GLint right = std::min(GLint(std::ceil(x1)), s.width);
  GLint bottom = std::min(GLint(std::ceil(y1)), s.height);
  if (right <= left || bottom <= top) left = top = right = bottom = 0;
  if (BackBufferKept())
    Blit(s, s.framebuffer, 0, left, s.height - bottom, right - left, bottom - top);
  else
    Blit(s, s.framebuffer, 0);
  eng_main_device_gl->CropToArea(left, top, right - left, bottom - top);
  return 1;
}

char EngFrameCacheIsValid_GL(int slot) {
  const Store *s = Get(slot);
  return s && s->valid && s->width == eng_main_window_width && s->height == eng_main_window_height;
}

void EngFrameCacheInvalidate_GL(int slot) {
  if (Store *s = Get(slot)) s->valid = 0;
}

// Also run when the context goes: its names die with it.
void EngFrameCacheDeleteGraphics_GL() {
  for (Store &s : stores) Delete(&s);
}
