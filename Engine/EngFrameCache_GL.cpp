#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "Engine/EngContext.h"
#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngFrameCache.h"
#include "Engine/EngWindow.h"

namespace {

// A rectangle of window pixels, x and y from the bottom left.
struct PixelRect {
  GLint x = 0, y = 0, w = 0, h = 0;
  bool operator==(const PixelRect &o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

// A texture each, written and read only by blits. The frame is kept upside down and in the
// window's BGRA texel order: Mesa's software rasterisers keep a window's rows the other way
// round from a framebuffer object's, so a mirrored blit between the two with matching texels is
// a plain copy of rows there instead of a drawn quad (a 544-pixel square comes back in 0.15 ms
// instead of 1.2). Elsewhere the mirror and the order cost nothing.
//
// Besides the kept frame, each store knows the run of frames shown, first to last (0: none),
// that showed it put back with only the same area drawn over: a back buffer holding one of
// those frames differs from the kept frame only in that area. put_back says what the frame not
// yet shown did with the store, changed where it differs from the frame shown before it, and
// window_shows_it whether the window shows the kept frame (as saved or put back) with only the
// run's area drawn over, so that showing the changed part alone is enough.
struct Store {
  GLuint framebuffer = 0, texture = 0;
  GLint width = 0, height = 0;
  char valid = 0;
  EngUInt32 run_first = 0, run_last = 0;
  PixelRect run_area;
  enum { kNothing, kSaved, kWhole, kArea } put_back = kNothing;
  PixelRect put_back_area, changed;
  char window_shows_it = 0;
};

Store stores[ENG_FRAME_CACHES];
char stores_failed = 0;
// Frames shown so far, by a swap or by copying a part; the frame being drawn is number shown + 1.
EngUInt32 shown = 0;
// The last frame was shown by copying a part: the back buffer still holds it, whole.
char back_buffer_kept = 0;
EngInt32 (*back_buffer_age)() = EngContextBackBufferAge_MAC;
char (*copy_to_window)(EngInt32, EngInt32, EngInt32, EngInt32) = EngContextCopySubBuffer_MAC;

void ForgetRun(Store *s) {
  s->run_first = s->run_last = 0;
  s->put_back = Store::kNothing;
  s->window_shows_it = 0;
}

void NoteShown(char back_buffer_still_holds_it) {
  shown++;
  back_buffer_kept = back_buffer_still_holds_it;
  for (Store &s : stores) {
    // A frame put back whole starts a run; one put back in the run's area over a frame of the
    // run is another frame of it. Runs have no gaps: a frame of anything else ends one.
    if (s.put_back == Store::kArea && s.put_back_area == s.run_area && s.run_last != 0 && s.run_last + 1 == shown) {
      s.run_last = shown;
    } else if (s.put_back == Store::kWhole || s.put_back == Store::kArea) {
      s.run_first = s.run_last = shown;
      s.run_area = s.put_back_area;
    }
    s.window_shows_it = s.put_back != Store::kNothing;
    s.put_back = Store::kNothing;
  }
}

// Whole pixels that cover an area (design units), within the window, from the bottom left.
PixelRect PixelsOf(const Store &s, const _Dimension *area) {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  EngWindowDesignToPixel(area->x, area->y, &x0, &y0);
  EngWindowDesignToPixel(area->x + area->width, area->y + area->height, &x1, &y1);
  GLint left = std::max(GLint(std::floor(x0)), 0), top = std::max(GLint(std::floor(y0)), 0);
  GLint right = std::min(GLint(std::ceil(x1)), s.width);
  GLint bottom = std::min(GLint(std::ceil(y1)), s.height);
  if (right <= left || bottom <= top) left = top = right = bottom = 0;
  PixelRect rect;
  rect.x = left;
  rect.y = s.height - bottom;
  rect.w = right - left;
  rect.h = bottom - top;
  return rect;
}

Store *Get(int slot) { return slot >= 0 && slot < ENG_FRAME_CACHES ? &stores[slot] : nullptr; }

char Supported() { return glewIsSupported("GL_ARB_framebuffer_object") || GLEW_VERSION_3_0; }

void Delete(Store *s) {
  if (s->framebuffer && eng_main_device_gl) glDeleteFramebuffers(1, &s->framebuffer);
  if (s->texture && eng_main_device_gl) glDeleteTextures(1, &s->texture);
  *s = Store();
}

char MakeStore(Store *s, GLint width, GLint height) {
  if (s->framebuffer && s->width == width && s->height == height) return 1;
  Delete(s);
  if (stores_failed || !Supported()) return 0;
  // The device keeps its own record of the bound texture: the binding is put back.
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGenTextures(1, &s->texture);
  glBindTexture(GL_TEXTURE_2D, s->texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  // Unsized, so that the texels' order follows the BGRA given (eight bits a channel).
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, GLuint(bound));
  glGenFramebuffers(1, &s->framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, s->framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, s->texture, 0);
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

enum Direction { kToStore, kToWindow };

// Copies the window's pixels x, y (from the bottom), w by h, to or from the same pixels of the
// upside-down store. Scissoring would make the blit a drawn quad; the copy goes unscissored.
void Blit(const Store &s, Direction direction, GLint x = 0, GLint y = 0, GLint w = -1, GLint h = -1) {
  if (w < 0) w = s.width;
  if (h < 0) h = s.height;
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  const GLint mirrored_y = s.height - y - h;
  if (direction == kToStore) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, s.framebuffer);
    glBlitFramebuffer(x, y, x + w, y + h, x, mirrored_y + h, x + w, mirrored_y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  } else {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(x, mirrored_y, x + w, mirrored_y + h, x, y + h, x + w, y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

}  // namespace

char EngFrameCacheBackBufferHoldsRun(EngInt32 age, EngUInt32 next_shown, EngUInt32 run_first, EngUInt32 run_last) {
  if (age <= 0 || run_first == 0 || EngUInt32(age) >= next_shown) return 0;
  const EngUInt32 held = next_shown - EngUInt32(age);
  return held >= run_first && held <= run_last ? 1 : 0;
}

void EngFrameCacheSetWindowForTests(EngInt32 (*age)(), char (*copy)(EngInt32, EngInt32, EngInt32, EngInt32)) {
  back_buffer_age = age ? age : EngContextBackBufferAge_MAC;
  copy_to_window = copy ? copy : EngContextCopySubBuffer_MAC;
}

void EngFrameCacheNoteSwap_GL() { NoteShown(0); }

void EngFrameCacheShowWholeNextFrame() {
  for (Store &s : stores) s.window_shows_it = 0;
}

char EngFrameCacheShowChangedPartOnly_GL() {
  for (Store &s : stores) {
    if ((s.put_back != Store::kWhole && s.put_back != Store::kArea) || !s.window_shows_it) continue;
    const PixelRect &c = s.changed;
    if (!copy_to_window(c.x, c.y, c.w, c.h)) return 0;
    NoteShown(1);
    return 1;
  }
  return 0;
}

char EngFrameCacheSave_GL(int slot) {
  Store *s = Get(slot);
  if (!s) return 0;
  s->valid = 0;
  ForgetRun(s);
  if (!eng_main_device_gl || eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (!MakeStore(s, eng_main_window_width, eng_main_window_height)) return 0;
  Blit(*s, kToStore);
  s->valid = 1;
  s->put_back = Store::kSaved;
  return 1;
}

char EngFrameCacheRestore_GL(int slot) {
  if (!EngFrameCacheIsValid_GL(slot)) return 0;
  const Store &s = stores[slot];
  Blit(s, kToWindow);
  return 1;
}

char EngFrameCacheRestorePart_GL(int slot, const _Dimension *area, const _Dimension *part) {
  if (!EngFrameCacheIsValid_GL(slot)) return 0;
  Store &s = stores[slot];
  const PixelRect rect = PixelsOf(s, area);
  // OpenGL does not promise what a swap leaves in the back buffer: only the driver's buffer age,
  // or a frame shown by copying a part of it, can say that it still holds a frame that differs
  // from the kept one in this area alone.
  const EngInt32 age = back_buffer_kept ? 1 : back_buffer_age();
  const char area_only = rect == s.run_area && EngFrameCacheBackBufferHoldsRun(age, shown + 1, s.run_first, s.run_last);
  s.put_back = area_only ? Store::kArea : Store::kWhole;
  s.put_back_area = rect;
  // The frame shown last is the one from which the part alone changes; an older frame may show
  // the rest of the area older still.
  s.changed = age == 1 || !area_only ? PixelsOf(s, part) : rect;
  if (!area_only) {
    Blit(s, kToWindow);
    return 1;
  }
  const PixelRect &c = s.changed;
  Blit(s, kToWindow, c.x, c.y, c.w, c.h);
  eng_main_device_gl->LimitDrawingTo(c.x, s.height - c.y - c.h, c.w, c.h);
  return 2;
}

char EngFrameCacheIsValid_GL(int slot) {
  const Store *s = Get(slot);
  return s && s->valid && s->width == eng_main_window_width && s->height == eng_main_window_height;
}

void EngFrameCacheInvalidate_GL(int slot) {
  if (Store *s = Get(slot)) {
    s->valid = 0;
    ForgetRun(s);
  }
}

// Also run when the context goes: its names die with it.
void EngFrameCacheDeleteGraphics_GL() {
  for (Store &s : stores) Delete(&s);
}
