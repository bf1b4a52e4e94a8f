#include <GL/glew.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngDrawnCopy.h"
#include "Engine/EngWindow.h"

namespace {

// A texture written and read only by blits. The copy is kept upside down and in the window's
// BGRA texel order: Mesa's software rasterisers keep a window's rows the other way round from a
// framebuffer object's, so a mirrored blit between the two with matching texels is a plain copy
// of rows there instead of a drawn quad. Elsewhere the mirror and the order cost nothing.
struct Store {
  GLuint framebuffer = 0, texture = 0;
  GLint width = 0, height = 0;
  char valid = 0;
};

Store store;
char store_failed = 0;

char Supported() { return glewIsSupported("GL_ARB_framebuffer_object") || GLEW_VERSION_3_0; }

void Delete() {
  if (store.framebuffer && eng_main_device_gl) glDeleteFramebuffers(1, &store.framebuffer);
  if (store.texture && eng_main_device_gl) glDeleteTextures(1, &store.texture);
  store = Store();
}

char MakeStore(GLint width, GLint height) {
  if (store.framebuffer && store.width == width && store.height == height) return 1;
  Delete();
  if (store_failed || !Supported()) return 0;
  // The device keeps its own record of the bound texture: the binding is put back.
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGenTextures(1, &store.texture);
  glBindTexture(GL_TEXTURE_2D, store.texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  // Unsized, so that the texels' order follows the BGRA given (eight bits a channel).
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, GLuint(bound));
  glGenFramebuffers(1, &store.framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, store.framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, store.texture, 0);
  const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    DebugErrorAlt(ENG_FUNC, "Frame store incomplete (0x%x): frames are drawn whole", unsigned(status));
    Delete();
    store_failed = 1;
    return 0;
  }
  store.width = width;
  store.height = height;
  return 1;
}

// The whole window to or from the upside-down store. Scissoring would make the blit a drawn
// quad; the copy goes unscissored.
void Blit(char to_store) {
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  const GLint w = store.width, h = store.height;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, to_store ? 0 : store.framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to_store ? store.framebuffer : 0);
  glBlitFramebuffer(0, 0, w, h, 0, h, w, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

}  // namespace

char EngDrawnCopySave_GL() {
  store.valid = 0;
  if (!eng_main_device_gl || eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (!MakeStore(eng_main_window_width, eng_main_window_height)) return 0;
  Blit(1);
  store.valid = 1;
  return 1;
}

char EngDrawnCopyRestore_GL() {
  if (!EngDrawnCopyIsValid_GL()) return 0;
  Blit(0);
  return 1;
}

char EngDrawnCopyIsValid_GL() {
  return store.valid && store.width == eng_main_window_width && store.height == eng_main_window_height;
}

void EngDrawnCopyInvalidate_GL() { store.valid = 0; }

void EngDrawnCopyDeleteGraphics_GL() { Delete(); }
