#include "Engine/EngUtilsGL.h"

#include <GL/glew.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"

enum { MAX_REPORTED_ERRORS = 100 };
static int reported_errors = 0;

void EngUtilsGL_ResetForTests() { reported_errors = 0; }

static const char *ErrorText(GLenum error) {
  switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    case GL_INVALID_FRAMEBUFFER_OPERATION: return "GL_INVALID_FRAMEBUFFER_OPERATION";
    default: return "unknown error";
  }
}

char EngUtilsGL_ErrorCheck(const char *signature, const char *label) {
  if (!eng_gl_3d_setup) return 1;
  GLenum error = glGetError();
  if (error == GL_NO_ERROR) return 1;
  if (reported_errors < MAX_REPORTED_ERRORS) {
    reported_errors++;
    DebugErrorAlt(signature, "%s : OpenGL error: %s%s", label ? label : "", ErrorText(error),
                  reported_errors == MAX_REPORTED_ERRORS ? " (no more errors)" : "");
  }
  return 0;
}
