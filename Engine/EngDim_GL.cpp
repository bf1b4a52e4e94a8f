#include <GL/glew.h>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngDim.h"

static char eng_gl_dim_on = 0;
static float eng_gl_dim_level = 1.0f;

void EngDimResetForTests() {
  eng_gl_dim_on = 0;
  eng_gl_dim_level = 1.0f;
}

void EngDimSetLevel_GL(float level) {
  eng_gl_dim_on = 1;
  eng_gl_dim_level = level;
}

float EngDimGetLevel_GL() { return eng_gl_dim_level; }
void EngDimTurnOff_GL() { eng_gl_dim_on = 0; }
char EngDimIsOn_GL() { return eng_gl_dim_on; }

void EngDimDo_GL() {
  if (eng_gl_dim_on) EngDimDarkenScreen_GL(1.0f - eng_gl_dim_level);
}

void EngDimDeleteGraphics_GL() {}

void EngDimDarkenScreen_GL(float alpha) {
  EngDeviceGL *gl = eng_main_device_gl;
  if (!eng_main_device || !gl) return;
  char entered_2d = gl->PrepareFor2DIfNeeded(1);
  char blending_on;
  EngInt32 source, destination;
  gl->GetBlendingState(&blending_on, &source, &destination);
  gl->EnableBlendingType(0);

  // In 2D mode these are the screen's corners.
  static const GLfloat corners[] = {-1, -1, 1, 1, -1, 1, -1, 1, 1, 1, 1, 1};
  GLfloat colours[16];
  for (int i = 0; i < 4; i++) {
    colours[i * 4 + 0] = colours[i * 4 + 1] = colours[i * 4 + 2] = 0.0f;
    colours[i * 4 + 3] = alpha;
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, corners);
  glColorPointer(4, GL_FLOAT, 0, colours);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  gl->SetBlendingState(blending_on, source, destination);
  if (entered_2d) gl->RestoreAfter2D();
}
