// The OpenGL half of a texture: its life, the upload of the pixels in memory, empty textures,
// copies of other textures and of the screen, and the in-memory padding and halving.
#include "Engine/EngTextureGL.h"

#include <GL/glew.h>

#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngUtilsGL.h"
#include "Engine/EngWindow.h"

// Every GL half alive, so the device's destruction can take back their names.
static EngTextureGL *live_textures = nullptr;
static EngInt32 live_count = 0;

EngDeviceGL *EngTextureGL_Device() {
  return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL ? eng_main_device_gl : nullptr;
}

EngInt32 EngTextureGL_SizeLimit() {
  EngDeviceGL *device = EngTextureGL_Device();
  if (!device) return 256;
  EngInt32 limit = device->GetMaxTextureSize();
  EngInt32 loading = device->GetMaxTextureSizeForLoadingImages();
  if (loading > 0 && loading < limit) limit = loading;
  return limit;
}

static char LuminanceSupported() {
  EngDeviceGL *device = EngTextureGL_Device();
  return device ? device->AreLuminanceOnlyTexturesSupported() : 0;
}

EngUInt32 EngTextureGL_GetTypeFromNumChannels(EngInt32 channels) {
  switch (channels) {
    case 3: return GL_RGB;
    case 4: return GL_RGBA;
    case 1: return LuminanceSupported() ? GL_LUMINANCE : 0;
    case 2: return LuminanceSupported() ? GL_LUMINANCE_ALPHA : 0;
    default: return 0;
  }
}

void EngTextureGetClosestPowerOf2_GL(EngInt32 w, EngInt32 h, EngInt32 *out_w, EngInt32 *out_h) {
  if (!EngTextureGL_Device()) {
    DebugErrorAlt(ENG_FUNC, "GL not setup");
    if (out_w) *out_w = 256;
    if (out_h) *out_h = 256;
    return;
  }
  EngInt32 limit = EngTextureGL_SizeLimit();
  auto nearest = [limit](EngInt32 n) -> EngInt32 {
    if (n > limit) return limit;
    if (n < 1) return 1;
    return (EngInt32)pow(2.0, floor(log((double)n) / log(2.0) + 0.5));
  };
  if (out_w) *out_w = nearest(w);
  if (out_h) *out_h = nearest(h);
}

EngTextureGL::EngTextureGL(EngTexture *owner) : m_owner(owner) {
  m_next_live = live_textures;
  if (live_textures) live_textures->m_prev_live = this;
  live_textures = this;
  live_count++;
}

EngTextureGL::~EngTextureGL() {
  Destroy();
  if (m_prev_live)
    m_prev_live->m_next_live = m_next_live;
  else
    live_textures = m_next_live;
  if (m_next_live) m_next_live->m_prev_live = m_prev_live;
  live_count--;
}

EngInt32 EngTextureGL_CountLive() { return live_count; }

void EngTextureGL_ReleaseAllForDeviceDestroy() {
  for (EngTextureGL *t = live_textures; t; t = t->m_next_live)
    if (t->HasGlTexture() || t->IsOk()) t->DestroyAllExceptTextureInMemory();
}

void EngTextureGL::ReleaseGlName(char delete_name) {
  if (m_gl_exists && delete_name) {
    EngUtilsGL_ErrorCheck(ENG_FUNC, "error before function call");
    GLuint name = m_gl_name;
    glDeleteTextures(1, &name);
    EngUtilsGL_ErrorCheck(ENG_FUNC, "glDeleteTextures");
  }
  m_gl_width = m_gl_height = 0;
  m_gl_picture_width = m_gl_picture_height = 0;
  m_gl_channels = 0;
  m_gl_name = 0;
  m_gl_exists = 0;
}

void EngTextureGL::DestroyAllExceptTextureInMemory() {
  char can_delete = eng_gl_3d_setup && EngTextureGL_Device();
  if (m_gl_exists && !can_delete) DebugErrorAlt(ENG_FUNC, "Image was not released when 3d active.");
  ReleaseGlName(can_delete);
  if (m_created && m_image_copy_allocated) {
    DebugErrorAlt(ENG_FUNC, "Warning: Texture image data was not freed");
    FreeAllocatedTextureImageData();
  }
  m_created = 0;
  m_colour_set = 0;
  m_normal_set = 0;
  m_3d_set = 0;
}

void EngTextureGL::Destroy() {
  ForgetPicture();
  FreeTextureInMemory();
  DestroyAllExceptTextureInMemory();
  // A copy left by an operation on a texture that was never created goes too.
  if (m_image_copy_allocated) FreeAllocatedTextureImageData();
}

void EngTextureGL::FreeTextureInMemory() {
  ReplacePixels(nullptr, 0);
  m_in_memory = 0;
  m_needs_padding = 0;
  m_mem_width = m_mem_height = 0;
  m_mem_picture_width = m_mem_picture_height = 0;
  m_mem_channels = 0;
}

char EngTextureGL::GetTexInMemoryInfo(EngInt32 *w, EngInt32 *h, EngInt32 *picture_w, EngInt32 *picture_h,
                                      EngInt32 *channels) {
  if (!m_in_memory) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_DNEX);
    return 0;
  }
  if (w) *w = m_mem_width;
  if (h) *h = m_mem_height;
  if (picture_w) *picture_w = m_mem_picture_width;
  if (picture_h) *picture_h = m_mem_picture_height;
  if (channels) *channels = m_mem_channels;
  return 1;
}

unsigned char *EngTextureGL::GetTexInMemoryData() {
  if (!m_in_memory) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_DNEX);
    return nullptr;
  }
  if (!m_pixels) DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
  return m_pixels;
}

void EngTextureGL::UpdateFullTextureCoordinates() {
  m_width = m_gl_width;
  m_height = m_gl_height;
  m_picture_width = m_gl_picture_width;
  m_picture_height = m_gl_picture_height;
  m_channels = m_gl_channels;
  if (m_gl_width > 0 && m_gl_height > 0) {
    float w = (float)m_gl_width, h = (float)m_gl_height;
    m_tc = {1.0f / w, 1.0f / h, 1.0f - 1.0f / w, 1.0f - 1.0f / h};
    m_full_tc_set = 1;
  } else {
    m_full_tc_set = 0;
  }
}

char EngTextureGL::BindTexture() {
  if (!eng_gl_3d_setup) return 0;
  glBindTexture(GL_TEXTURE_2D, m_gl_exists ? m_gl_name : 0);
  return 1;
}

char EngTextureGL::UnbindTexture() {
  if (!eng_gl_3d_setup) return 0;
  glBindTexture(GL_TEXTURE_2D, 0);
  return 1;
}

char EngTextureGL::LoadFromTextureInMemory(_TexCoords *used) {
  ForgetPicture();
  char keep = m_keep_pixels;
  m_keep_pixels = 0;
  if (!m_in_memory) {
    DebugErrorAlt(ENG_FUNC, "No texture in memory");
    return 0;
  }
  if (m_needs_padding && !used) {
    DebugErrorAlt(ENG_FUNC, "Image was not converted to power of two");
    return 0;
  }
  if (!eng_gl_3d_setup || !EngTextureGL_Device()) {
    DebugErrorAlt(ENG_FUNC, "GL not setup");
    return 0;
  }
  if (m_gl_exists) {
    DebugInfoAlt(ENG_FUNC, "Texture already created. Continuing...");
    ReleaseGlName(1);
    m_created = 0;
  }
  GLenum format = EngTextureGL_GetTypeFromNumChannels(m_mem_channels);
  if (!format) {
    DebugErrorAlt(ENG_FUNC, "Invalid num channels %d", m_mem_channels);
    return 0;
  }
  EngInt32 gl_w = m_mem_width, gl_h = m_mem_height;
  if (m_needs_padding) {
    gl_w = (EngInt32)EngMathGetClosestPowerOf2Max((unsigned)m_mem_width);
    gl_h = (EngInt32)EngMathGetClosestPowerOf2Max((unsigned)m_mem_height);
  }
  GLuint name = 0;
  EngTextureNoteUpload();
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (m_needs_padding) {
    size_t bytes = (size_t)gl_w * (size_t)gl_h * (size_t)m_mem_channels;
    unsigned char *blank = (unsigned char *)EngMalloc(bytes, ENG_FUNC, 0);
    if (!blank) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      glBindTexture(GL_TEXTURE_2D, 0);
      glDeleteTextures(1, &name);
      return 0;
    }
    memset(blank, 255, bytes);
    glTexImage2D(GL_TEXTURE_2D, 0, (GLint)format, gl_w, gl_h, 0, format, GL_UNSIGNED_BYTE, blank);
    EngFree(blank, 0, ENG_FUNC);
    EngUtilsGL_ErrorCheck(ENG_FUNC, "glTexImage2D() error");
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, m_mem_width, m_mem_height, format, GL_UNSIGNED_BYTE, m_pixels);
    EngUtilsGL_ErrorCheck(ENG_FUNC, "glTexSubImage2D() error");
    *used = {0.0f, 0.0f, (float)m_mem_width / (float)gl_w, (float)m_mem_height / (float)gl_h};
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, (GLint)format, gl_w, gl_h, 0, format, GL_UNSIGNED_BYTE, m_pixels);
    if (used) *used = {0.0f, 0.0f, 1.0f, 1.0f};
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  m_gl_name = name;
  m_gl_width = gl_w;
  m_gl_height = gl_h;
  m_gl_picture_width = m_mem_picture_width;
  m_gl_picture_height = m_mem_picture_height;
  m_gl_channels = m_mem_channels;
  m_gl_exists = 1;
  if (!keep) FreeTextureInMemory();
  m_created = 1;
  UpdateFullTextureCoordinates();
  return 1;
}

char EngTextureGL::LoadEmptyTextureToMemory(EngInt32 *w, EngInt32 *h, char with_alpha) {
  EngDeviceGL *device = EngTextureGL_Device();
  EngInt32 max = device ? device->GetMaxTextureSize() : 256;
  // Sides beyond what GL takes would only fail at upload after a huge allocation.
  if (!w || !h || *w <= 0 || *h <= 0 || *w > max || *h > max) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters.");
    return 0;
  }
  if (m_in_memory) FreeTextureInMemory();
  EngInt32 rw = (EngInt32)EngMathGetClosestPowerOf2Max((unsigned)*w);
  EngInt32 rh = (EngInt32)EngMathGetClosestPowerOf2Max((unsigned)*h);
  *w = rw;
  *h = rh;
  EngInt32 channels = with_alpha ? 4 : 3;
  ReplacePixels((unsigned char *)EngMalloc((size_t)rw * (size_t)rh * (size_t)channels, ENG_FUNC, 1), 0);
  if (!m_pixels) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  m_mem_width = m_mem_picture_width = rw;
  m_mem_height = m_mem_picture_height = rh;
  m_mem_channels = channels;
  m_needs_padding = 0;
  m_in_memory = 1;
  return 1;
}

char EngTextureGL::CreateEmptyTexture(EngInt32 *w, EngInt32 *h, char with_alpha) {
  if (m_created) {
    DebugErrorAlt(ENG_FUNC, "Texture already created");
    return 0;
  }
  if (!LoadEmptyTextureToMemory(w, h, with_alpha)) return 0;
  if (!LoadFromTextureInMemory(nullptr)) {
    Destroy();
    return 0;
  }
  return 1;
}

char EngTextureGL::CreateEmptyTexture(EngInt32 w, EngInt32 h, char with_alpha) {
  return CreateEmptyTexture(&w, &h, with_alpha);
}

char EngTextureGL::UpscaleImageDataInMemoryToNearestPowerOfTwoFast(_TexCoords *used) {
  if (!m_in_memory || !m_pixels) {
    DebugErrorAlt(ENG_FUNC, "No texture in memory");
    return 0;
  }
  if (!used) {
    DebugErrorAlt(ENG_FUNC, "Parameter error");
    return 0;
  }
  EngInt32 new_w = (EngInt32)EngMathGetClosestPowerOf2Max((unsigned)m_mem_width);
  EngInt32 new_h = (EngInt32)EngMathGetClosestPowerOf2Max((unsigned)m_mem_height);
  if (!m_needs_padding || (new_w == m_mem_width && new_h == m_mem_height)) {
    *used = {0.0f, 0.0f, 1.0f, 1.0f};
    m_needs_padding = 0;
    return 1;
  }
  size_t row = (size_t)m_mem_width * (size_t)m_mem_channels;
  size_t new_row = (size_t)new_w * (size_t)m_mem_channels;
  // Zeroed so no stale heap bytes reach the texture's padding.
  unsigned char *grown = (unsigned char *)EngMalloc(new_row * (size_t)new_h, ENG_FUNC, 1);
  if (!grown) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  for (EngInt32 y = 0; y < m_mem_height; y++) memcpy(grown + new_row * (size_t)y, m_pixels + row * (size_t)y, row);
  *used = {0.0f, 0.0f, (float)m_mem_width / (float)new_w, (float)m_mem_height / (float)new_h};
  ReplacePixels(grown, 0);
  m_mem_width = new_w;
  m_mem_height = new_h;
  m_needs_padding = 0;
  return 1;
}

void EngTexture_AverageTwoRGBPixels(const unsigned char *first, const unsigned char *second, unsigned char *out) {
  for (int c = 0; c < 3; c++) out[c] = (unsigned char)((first[c] + second[c]) >> 1);
}

void EngTexture_AverageTwoRGBAPixels(const unsigned char *first, const unsigned char *second, unsigned char *out) {
  for (int c = 0; c < 4; c++) out[c] = (unsigned char)((first[c] + second[c]) >> 1);
}

char EngTextureGL::ShrinkDataInMemoryToHalfSize() {
  if (!m_in_memory || !m_pixels) {
    DebugErrorAlt(ENG_FUNC, "No texture in memory");
    return 0;
  }
  EngInt32 ch = m_mem_channels;
  if (ch != 3 && ch != 4) {
    DebugErrorAlt(ENG_FUNC, "Not supported for %d channels.", ch);
    return 0;
  }
  if (m_mem_width < 2 || m_mem_height < 2) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  EngInt32 new_w = m_mem_width / 2, new_h = m_mem_height / 2;
  unsigned char *half = (unsigned char *)EngMalloc((size_t)new_w * (size_t)new_h * (size_t)ch, ENG_FUNC, 0);
  if (!half) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  void (*average)(const unsigned char *, const unsigned char *, unsigned char *) =
      ch == 4 ? EngTexture_AverageTwoRGBAPixels : EngTexture_AverageTwoRGBPixels;
  size_t row = (size_t)m_mem_width * (size_t)ch;
  for (EngInt32 y = 0; y < new_h; y++) {
    const unsigned char *upper = m_pixels + row * (size_t)(2 * y);
    const unsigned char *lower = upper + row;
    for (EngInt32 x = 0; x < new_w; x++) {
      unsigned char a[4], b[4];
      size_t at = (size_t)(2 * x) * (size_t)ch;
      average(upper + at, upper + at + ch, a);
      average(lower + at, lower + at + ch, b);
      average(a, b, half + ((size_t)y * (size_t)new_w + (size_t)x) * (size_t)ch);
    }
  }
  ReplacePixels(half, 0);
  m_mem_width = new_w;
  m_mem_height = new_h;
  return 1;
}

char EngTextureGL::CopyFromTexture(EngTexture *other) {
  DebugInfoAlt(ENG_FUNC, "EngTextureGL::CopyFromTexture");
  EngTextureGL *from = other ? other->GetGL() : nullptr;
  if (!from || from == this || !from->IsOk()) {
    DebugErrorAlt(ENG_FUNC, "From texture not ok");
    return 0;
  }
  Destroy();
  EngInt32 w = from->GetWidth(), h = from->GetHeight();
  if (!CreateEmptyTexture(&w, &h, from->GetNumChannels() == 4)) return 0;
  if (w != from->GetWidth() || h != from->GetHeight()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    Destroy();
    return 0;
  }
  unsigned char *source = from->AllocAndGetTextureImageData();
  unsigned char *target = AllocAndGetTextureImageData();
  char ok = 0;
  if (source && target) {
    if (from->GetAllocatedTextureImageDataSize() != GetAllocatedTextureImageDataSize()) {
      DebugErrorAlt(ENG_FUNC, "Internal Error (2)");
    } else {
      memcpy(target, source, GetAllocatedTextureImageDataSize());
      ok = UpdateTextureFromAllocatedImageData();
    }
  }
  from->FreeAllocatedTextureImageData();
  FreeAllocatedTextureImageData();
  if (!ok) {
    Destroy();
    return 0;
  }
  m_created = 1;
  UpdateFullTextureCoordinates();
  return 1;
}

char EngTextureGL::CreateFromScreen(_TexCoords *used) {
  Destroy();
  EngInt32 win_w = eng_main_window_width, win_h = eng_main_window_height;
  if (win_w <= 0 || win_h <= 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  EngInt32 w = win_w, h = win_h;
  if (!CreateEmptyTexture(&w, &h, 1)) return 0;
  if (m_gl_width < win_w || m_gl_height < win_h) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    Destroy();
    return 0;
  }
  unsigned char *copy = AllocEmptyTextureImageData(1);
  unsigned char *screen = (unsigned char *)EngMalloc((size_t)win_w * (size_t)win_h * 4, ENG_FUNC, 0);
  if (!copy || !screen) {
    if (screen) EngFree(screen, 0, ENG_FUNC);
    FreeAllocatedTextureImageData();
    Destroy();
    return 0;
  }
  glReadPixels(0, 0, win_w, win_h, GL_RGBA, GL_UNSIGNED_BYTE, screen);
  // The frame buffer comes bottom row first; texture rows run top first, so the screen fills
  // the last rows of the texture with its top row at 1 - height / GL height.
  size_t row = (size_t)win_w * 4, gl_row = (size_t)m_gl_width * 4;
  for (EngInt32 y = 0; y < win_h; y++)
    memcpy(copy + gl_row * (size_t)(m_gl_height - 1 - y), screen + row * (size_t)y, row);
  EngFree(screen, 0, ENG_FUNC);
  char ok = UpdateTextureFromAllocatedImageData();
  FreeAllocatedTextureImageData();
  if (!ok) {
    Destroy();
    return 0;
  }
  _TexCoords tc = {0.0f, 1.0f - (float)win_h / (float)m_gl_height, (float)win_w / (float)m_gl_width, 1.0f};
  m_tc = tc;
  m_full_tc_set = 0;
  if (used) *used = tc;
  return 1;
}

static EngUInt32 upload_count = 0;
EngUInt32 EngTextureGetUploadCount() { return upload_count; }
void EngTextureNoteUpload() { upload_count++; }
