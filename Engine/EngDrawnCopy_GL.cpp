#include <GL/glew.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngDrawnCopy.h"
#include "Engine/EngUtilsGL.h"
#include "Engine/EngWindow.h"

namespace {

// A texture written and read only by blits. The copy is kept upside down and in the window's
// BGRA texel order: Mesa's software rasterisers keep a window's rows the other way round from a
// framebuffer object's, so a mirrored blit between the two with matching texels is a plain copy
// of rows there instead of a drawn quad (a thirtieth of its time for a 1024 x 768 window).
// Elsewhere the mirror and the order cost nothing. OpenGL refuses a mirrored blit to or from a
// multisampled buffer; such a window keeps no copy at all, since nothing may be blitted into it.
struct Store {
  GLuint framebuffer = 0, texture = 0;
  GLint width = 0, height = 0;
  char valid = 0;
};

Store store;
// Set for the rest of the context once a store could not be made or OpenGL refused a copy.
char store_failed = 0;
char fail_blits = 0;

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

char WindowIsMultisampled() {
  GLint buffers = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &buffers);
  return buffers > 0;
}

// The whole window to or from the upside-down store; the error OpenGL gave for it. Scissoring
// would make the blit a drawn quad; the copy goes unscissored.
GLenum Blit(const char *signature, char to_store) {
  // An error that earlier work left is told as such, not taken for the copy's.
  EngUtilsGL_ErrorCheck(signature, "Existing Error Before Function Call");
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  const GLint w = store.width, h = store.height;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, to_store ? 0 : store.framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to_store ? store.framebuffer : 0);
  // A filter no blit takes makes OpenGL refuse it, as a driver would refuse a blit it cannot do.
  glBlitFramebuffer(0, 0, w, h, 0, h, w, 0, GL_COLOR_BUFFER_BIT, fail_blits ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
  const GLenum error = glGetError();
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
  return error;
}

// A refused copy would be refused again: none is kept or put back in this context.
void GiveUp(const char *signature, GLenum error) {
  DebugErrorAlt(signature, "Frame copy refused (OpenGL error 0x%x): frames are drawn whole", unsigned(error));
  Delete();
  store_failed = 1;
}

}  // namespace

char EngDrawnCopySave_GL() {
  store.valid = 0;
  if (!eng_main_device_gl || eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (store_failed || WindowIsMultisampled()) return 0;
  if (!MakeStore(eng_main_window_width, eng_main_window_height)) return 0;
  const GLenum error = Blit(ENG_FUNC, 1);
  if (error != GL_NO_ERROR) {
    GiveUp(ENG_FUNC, error);
    return 0;
  }
  store.valid = 1;
  return 1;
}

char EngDrawnCopyRestore_GL() {
  if (!EngDrawnCopyIsValid_GL()) return 0;
  const GLenum error = Blit(ENG_FUNC, 0);
  if (error != GL_NO_ERROR) {
    GiveUp(ENG_FUNC, error);
    return 0;
  }
  return 1;
}

char EngDrawnCopyIsValid_GL() {
  return store.valid && store.width == eng_main_window_width && store.height == eng_main_window_height;
}

void EngDrawnCopyInvalidate_GL() { store.valid = 0; }

// A new context may well allow what the last one refused (another window, without
// multisampling): it tries afresh.
void EngDrawnCopyDeleteGraphics_GL() {
  Delete();
  store_failed = 0;
}

void EngDrawnCopyFailBlitsForTests(char on) { fail_blits = on ? 1 : 0; }
