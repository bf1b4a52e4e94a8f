#include "tests/game/XTestDriver.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <cstdio>
#include <cstring>

namespace qwtest {

bool WindowPicture::Save(const std::string &path) const {
  FILE *f = fopen(path.c_str(), "wb");
  if (!f) return false;
  fprintf(f, "P6\n%d %d\n255\n", width, height);
  bool ok = fwrite(rgb.data(), 1, rgb.size(), f) == rgb.size();
  return fclose(f) == 0 && ok;
}

// A window's request failing (it went away between the look-up and the call) must not end the
// test program, as Xlib's default handler would.
static int IgnoreXErrors(Display *, XErrorEvent *) { return 0; }

XTestDriver::~XTestDriver() {
  if (m_display) XCloseDisplay(m_display);
}

bool XTestDriver::Open(const char *display_name) {
  m_display = XOpenDisplay(display_name);
  if (!m_display) {
    m_error = "cannot open the X display";
    return false;
  }
  XSetErrorHandler(IgnoreXErrors);
  int event_base, error_base, major, minor;
  if (!XTestQueryExtension(m_display, &event_base, &error_base, &major, &minor)) {
    m_error = "the X server has no XTest extension";
    return false;
  }
  if (!XDamageQueryExtension(m_display, &m_damage_event_base, &error_base)) {
    m_error = "the X server has no Damage extension";
    return false;
  }
  return true;
}

void XTestDriver::Forget() {
  // A damage whose window is gone went with it; the error of destroying it again is ignored.
  if (m_damage) XDamageDestroy(m_display, m_damage);
  m_damage = 0;
  m_window = 0;
  m_frames = 0;
  m_last_frame_time = 0;
}

static pid_t WindowPid(Display *d, Window w) {
  Atom pid_atom = XInternAtom(d, "_NET_WM_PID", True);
  if (pid_atom == None) return -1;
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char *data = nullptr;
  pid_t pid = -1;
  if (XGetWindowProperty(d, w, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data && count == 1 && format == 32)
    pid = pid_t(*reinterpret_cast<unsigned long *>(data));
  if (data) XFree(data);
  return pid;
}

// The window under `parent` (itself included) that is viewable, titled `title`, of process
// `pid` and of the size asked for; a window manager puts the program's window inside its frame.
static Window FindUnder(Display *d, Window parent, const char *title, pid_t pid, int width, int height) {
  XWindowAttributes a;
  if (XGetWindowAttributes(d, parent, &a) && a.map_state == IsViewable && (width <= 0 || a.width == width) &&
      (height <= 0 || a.height == height)) {
    char *name = nullptr;
    bool match = false;
    if (XFetchName(d, parent, &name) && name) {
      match = strcmp(name, title) == 0 && WindowPid(d, parent) == pid;
      XFree(name);
    }
    if (match) return parent;
  }
  Window root, up, *children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (XQueryTree(d, parent, &root, &up, &children, &count))
    for (unsigned int i = 0; i < count && !found; i++) found = FindUnder(d, children[i], title, pid, width, height);
  if (children) XFree(children);
  return found;
}

unsigned long XTestDriver::FindWindow(const char *title, pid_t pid, int width, int height) {
  if (!m_display) return 0;
  Forget();
  Window root = DefaultRootWindow(m_display), parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(m_display, root, &root, &parent, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && !m_window; i++)
    m_window = FindUnder(m_display, children[i], title, pid, width, height);
  if (children) XFree(children);
  // Keys go to the window whatever the pointer does (no window manager gives it the focus).
  if (m_window) {
    XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
    m_damage = XDamageCreate(m_display, m_window, XDamageReportRawRectangles);
    XSync(m_display, False);
  }
  return m_window;
}

long XTestDriver::FramesShown() {
  if (!m_display || !m_damage) return m_frames;
  XSync(m_display, False);
  while (XPending(m_display)) {
    XEvent event;
    XNextEvent(m_display, &event);
    if (event.type != m_damage_event_base + XDamageNotify) continue;
    const auto *notify = reinterpret_cast<const XDamageNotifyEvent *>(&event);
    if (notify->damage != m_damage) continue;
    // A swap's rectangles all come at its time; two swaps within a millisecond count once, which
    // only makes a wait for frames longer.
    if (m_frames > 0 && notify->timestamp == m_last_frame_time) continue;
    m_frames++;
    m_last_frame_time = notify->timestamp;
  }
  return m_frames;
}

bool XTestDriver::Grab(WindowPicture *picture) {
  if (!m_display || !m_window) return false;
  XWindowAttributes a;
  if (!XGetWindowAttributes(m_display, m_window, &a)) return false;
  XImage *image = XGetImage(m_display, m_window, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
  if (!image) return false;
  picture->width = a.width;
  picture->height = a.height;
  picture->rgb.resize(size_t(a.width) * size_t(a.height) * 3);
  auto shift_of = [](unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      s++;
    }
    return s;
  };
  const int rs = shift_of(image->red_mask), gs = shift_of(image->green_mask), bs = shift_of(image->blue_mask);
  unsigned char *out = picture->rgb.data();
  for (int y = 0; y < a.height; y++)
    for (int x = 0; x < a.width; x++) {
      unsigned long p = XGetPixel(image, x, y);
      *out++ = (unsigned char)((p & image->red_mask) >> rs);
      *out++ = (unsigned char)((p & image->green_mask) >> gs);
      *out++ = (unsigned char)((p & image->blue_mask) >> bs);
    }
  XDestroyImage(image);
  return true;
}

bool XTestDriver::Move(int x, int y) {
  if (!m_display || !m_window) return false;
  int root_x, root_y;
  Window child;
  if (!XTranslateCoordinates(m_display, m_window, DefaultRootWindow(m_display), x, y, &root_x, &root_y, &child))
    return false;
  XTestFakeMotionEvent(m_display, -1, root_x, root_y, CurrentTime);
  XSync(m_display, False);
  return true;
}

bool XTestDriver::Click(int x, int y) {
  if (!Move(x, y)) return false;
  XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
  XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
  XSync(m_display, False);
  return true;
}

bool XTestDriver::PressKeysym(unsigned long keysym, bool ctrl) {
  KeyCode code = XKeysymToKeycode(m_display, keysym);
  if (!code) {
    m_error = "no key for keysym " + std::to_string(keysym);
    return false;
  }
  // A letter that is not on the key's first level needs Shift (capitals).
  const bool shift = XkbKeycodeToKeysym(m_display, code, 0, 0) != keysym;
  KeyCode control = XKeysymToKeycode(m_display, XK_Control_L), shift_key = XKeysymToKeycode(m_display, XK_Shift_L);
  if (ctrl) XTestFakeKeyEvent(m_display, control, True, CurrentTime);
  if (shift) XTestFakeKeyEvent(m_display, shift_key, True, CurrentTime);
  XTestFakeKeyEvent(m_display, code, True, CurrentTime);
  XTestFakeKeyEvent(m_display, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(m_display, shift_key, False, CurrentTime);
  if (ctrl) XTestFakeKeyEvent(m_display, control, False, CurrentTime);
  XSync(m_display, False);
  return true;
}

bool XTestDriver::Key(const char *keysym_name, bool ctrl) {
  if (!m_display || !m_window) return false;
  KeySym sym = XStringToKeysym(keysym_name);
  if (sym == NoSymbol) {
    m_error = std::string("unknown key ") + keysym_name;
    return false;
  }
  return PressKeysym(sym, ctrl);
}

bool XTestDriver::Type(const std::string &text) {
  if (!m_display || !m_window) return false;
  for (char c : text) {
    if (c < 0x20 || c > 0x7e) {
      m_error = "only printable ASCII is typed";
      return false;
    }
    // Latin-1 keysyms are the characters themselves.
    if (!PressKeysym((unsigned long)(unsigned char)c, false)) return false;
  }
  return true;
}

}  // namespace qwtest
