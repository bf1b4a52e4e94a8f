// Drives another program's window from outside, as a person would: finds its top-level window on
// the X server, reads its pixels back, counts the frames it shows (through the Damage extension),
// and sends real pointer and key events through the XTest extension. Coordinates are window
// pixels; the window is found by its title and its process.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace qwtest {

// A picture of the window, top row first, three bytes a pixel.
struct WindowPicture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char *At(int x, int y) const { return &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
  // Saved as a binary PPM, for a person to look at.
  bool Save(const std::string &path) const;
};

class XTestDriver {
 public:
  XTestDriver() = default;
  ~XTestDriver();
  XTestDriver(const XTestDriver &) = delete;
  XTestDriver &operator=(const XTestDriver &) = delete;

  // Connects to the display named (to $DISPLAY without a name); false (with the reason in
  // Error()) without a server, without XTest or without Damage.
  bool Open(const char *display_name = nullptr);
  // The viewable window titled `title` of process `pid`, top-level or framed by a window
  // manager, of the given size (any size where a side is 0); 0 while there is none. Forgets the
  // window found before.
  unsigned long FindWindow(const char *title, pid_t pid, int width, int height);
  void Forget();
  unsigned long WindowId() const { return m_window; }

  // Reads the window back; false when it is gone.
  bool Grab(WindowPicture *picture);
  // How many frames the window has shown since it was found, as far as the server has dealt
  // with all that was sent before: each swap of its buffers damages it, at one server time.
  long FramesShown();
  // A left click at a point of the window: the pointer moves there first.
  bool Click(int x, int y);
  // The pointer moved to a point of the window, nothing pressed.
  bool Move(int x, int y);
  // A key by its X name ("Return", "Escape", "q"), with Ctrl held when ctrl is set.
  bool Key(const char *keysym_name, bool ctrl = false);
  // Types printable ASCII text, with Shift where a letter needs it.
  bool Type(const std::string &text);
  const std::string &Error() const { return m_error; }

 private:
  bool PressKeysym(unsigned long keysym, bool ctrl);
  Display *m_display = nullptr;
  unsigned long m_window = 0;
  std::string m_error;
  int m_damage_event_base = 0;
  unsigned long m_damage = 0;
  long m_frames = 0;
  unsigned long m_last_frame_time = 0;
};

}  // namespace qwtest
