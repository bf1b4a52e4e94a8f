// The window corner's picture in OpenGL: an uncompressed 24- or 32-bit TGA file read into a
// texture, drawn in the 640 by 480 design space with blending one / one minus source colour.
#include "Engine/CommonWindowCorner.h"

#include <GL/gl.h>
#include <cstdio>
#include <vector>

#include "Engine/EngContext.h"
#include "Engine/EngDebug.h"

static GLuint corner_texture = 0;

char CommonWindowCornerLoad_GL(const char *file) {
  CommonWindowCornerFree_GL();
  FILE *f = fopen(file, "rb");
  if (!f) {
    DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", file);
    return 0;
  }
  unsigned char header[18];
  bool ok = fread(header, 1, 18, f) == 18;
  int id_length = header[0], type = header[2], bits = header[16];
  int width = header[12] | (header[13] << 8), height = header[14] | (header[15] << 8);
  bool top_first = (header[17] & 0x20) != 0;
  ok = ok && type == 2 && (bits == 24 || bits == 32) && width > 0 && height > 0 && width <= 1024 &&
       height <= 1024 && fseek(f, id_length, SEEK_CUR) == 0;
  size_t bpp = size_t(bits / 8);
  std::vector<unsigned char> pixels(ok ? size_t(width) * size_t(height) * bpp : 0);
  ok = ok && fread(pixels.data(), 1, pixels.size(), f) == pixels.size();
  fclose(f);
  if (!ok) {
    DebugErrorAlt(ENG_FUNC, "Unsupported or damaged picture <%s>", file);
    return 0;
  }
  // Rows top first, bytes R, G, B, A.
  std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
  for (int row = 0; row < height; row++) {
    int src_row = top_first ? row : height - 1 - row;
    for (int col = 0; col < width; col++) {
      const unsigned char *s = &pixels[(size_t(src_row) * size_t(width) + size_t(col)) * bpp];
      unsigned char *d = &rgba[(size_t(row) * size_t(width) + size_t(col)) * 4];
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      d[3] = bpp == 4 ? s[3] : 255;
    }
  }
  if (!eng_gl_3d_setup) return 1;
  glGenTextures(1, &corner_texture);
  glBindTexture(GL_TEXTURE_2D, corner_texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return 1;
}

void CommonWindowCornerFree_GL() {
  if (corner_texture && eng_gl_3d_setup) glDeleteTextures(1, &corner_texture);
  corner_texture = 0;
}

void CommonWindowCornerDraw_GL(float x, float y, float w, float h) {
  if (!corner_texture) return;
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, corner_texture);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
  glColor4f(1, 1, 1, 1);
  float l = x / 320.0f - 1.0f, r = (x + w) / 320.0f - 1.0f;
  float t = 1.0f - y / 240.0f, b = 1.0f - (y + h) / 240.0f;
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex2f(l, t);
  glTexCoord2f(1, 0), glVertex2f(r, t);
  glTexCoord2f(1, 1), glVertex2f(r, b);
  glTexCoord2f(0, 1), glVertex2f(l, b);
  glEnd();
  glBindTexture(GL_TEXTURE_2D, 0);
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}
