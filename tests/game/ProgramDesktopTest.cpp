// The built program on desktops of the test's own: an Xvfb server started here, with the openbox
// window manager and a panel (a dock window made here that keeps a strip at the bottom for
// itself), or with no window manager at all. Measured from outside, as the X server and the
// window manager tell it (the window's place and size, _NET_FRAME_EXTENTS, _NET_WORKAREA): a
// windowed window lies inside the work area with its frame, however it came to be windowed
// (saved so, or switched to from full screen in play), and where it fits it stands where it was
// asked to. A window made far larger than the display from outside is held at the display's
// size; the program draws on and ends on SIGTERM. Every process started here is ended by its pid
// at the end, and by the kernel if the test itself dies.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Engine/Resolution.h"
#include "game/Main.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/MainCollectionController.h"
#include "screens/layouts/UserNewCollectionController.h"
#include "screens/layouts/UsersCollectionController.h"
#include "tests/game/LayoutArea.h"
#include "tests/game/XTestDriver.h"
#include "tests/support/TestSupport.h"

// After the project's headers: Xlib's macros (None, Bool, Status) would clash with them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDesign = 640, kDesignHeight = 480;
constexpr const char *kTitle = "Quarrelwick";
// Frames the program shows while nothing is asked of it, after which a window that was going to
// move again would have: about half a second of its clock.
constexpr int kFramesToSettle = 30;

// Waits for the condition within the hang limit; the text says what was waited for.
::testing::AssertionResult WaitFor(const std::string &what, const std::function<bool()> &condition) {
  const auto until = Clock::now() + std::chrono::duration<double>(qwtest::kHangSeconds);
  while (!condition()) {
    if (Clock::now() > until) return ::testing::AssertionFailure() << "waited in vain for " << what;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return ::testing::AssertionSuccess();
}

// A process of the test's own: it dies with the test (the kernel ends it when the test dies) and
// is ended here by its pid.
class Child {
 public:
  Child() = default;
  ~Child() { Stop(); }
  Child(const Child &) = delete;
  Child &operator=(const Child &) = delete;

  // Starts the program with the environment given (whole), its output into a file; `keep` is a
  // descriptor it inherits.
  bool Start(std::vector<std::string> argv, std::vector<std::string> env, const std::string &output, int keep = -1) {
    std::vector<char *> args, envp;
    for (std::string &a : argv) args.push_back(&a[0]);
    args.push_back(nullptr);
    for (std::string &e : env) envp.push_back(&e[0]);
    envp.push_back(nullptr);
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid < 0) return false;
    if (m_pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(125);
      const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
      if (out < 0) _exit(126);
      dup2(out, 1);
      dup2(out, 2);
      const int in = open("/dev/null", O_RDONLY);
      if (in >= 0) dup2(in, 0);
      if (keep >= 0) fcntl(keep, F_SETFD, 0);
      execvpe(args[0], args.data(), envp.data());
      _exit(127);
    }
    return true;
  }
  pid_t Pid() const { return m_pid; }
  // Its exit code once it has ended (1000 plus the signal that ended it), -1 while it runs.
  int Ended(double seconds) {
    if (m_pid <= 0) return m_code;
    const int code = qwtest::WaitForExit(m_pid, seconds);
    if (code != -1) {
      m_code = code;
      m_pid = -1;
    }
    return code;
  }
  void Stop() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    if (Ended(qwtest::kHangSeconds) == -1) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
  }

 private:
  pid_t m_pid = -1;
  int m_code = -1;
};

// The environment the test runs in, less what the programs here are given their own of.
std::vector<std::string> BaseEnvironment() {
  std::vector<std::string> env;
  for (char **e = environ; *e; e++) {
    const std::string v = *e;
    bool own = false;
    for (const char *name : {"DISPLAY=", "SDL_VIDEODRIVER=", "HOME=", "XDG_", "TMPDIR=", "QUARRELWICK_",
                             "ALSOFT_DRIVERS=", "LIBGL_ALWAYS_SOFTWARE=", "ASAN_OPTIONS=", "LSAN_OPTIONS="})
      own = own || v.rfind(name, 0) == 0;
    if (!own) env.push_back(v);
  }
  return env;
}

struct Rect {
  long x, y, width, height;
};

std::ostream &operator<<(std::ostream &out, const Rect &r) {
  return out << r.width << "x" << r.height << " at (" << r.x << ", " << r.y << ")";
}

bool operator==(const Rect &a, const Rect &b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool Inside(const Rect &in, const Rect &r) {
  return r.x >= in.x && r.y >= in.y && r.x + r.width <= in.x + in.width && r.y + r.height <= in.y + in.height;
}

// Up to `count` 32-bit values of a window's property; empty without it.
std::vector<long> Cardinals(Display *d, Window w, const char *name, long count) {
  std::vector<long> values;
  const Atom atom = XInternAtom(d, name, False);
  Atom type = 0;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char *data = nullptr;
  if (XGetWindowProperty(d, w, atom, 0, count, False, AnyPropertyType, &type, &format, &n, &after, &data) == Success &&
      data && format == 32)
    values.assign(reinterpret_cast<long *>(data), reinterpret_cast<long *>(data) + n);
  if (data) XFree(data);
  return values;
}

// A window's requests fail once it is gone (a mode change makes a new one); that must not end
// the test, as Xlib's default handler would.
int IgnoreXErrors(Display *, XErrorEvent *) { return 0; }

// An X server of the test's own, with or without a window manager and a panel.
class Desktop {
 public:
  ~Desktop() {
    if (m_display) XCloseDisplay(m_display);
    m_window_manager.Stop();
    m_server.Stop();
  }

  ::testing::AssertionResult Start(int width, int height, bool window_manager, int panel) {
    m_size = {0, 0, width, height};
    // Made before the server: two servers that both find the socket folder missing race to make it.
    mkdir("/tmp/.X11-unix", 01777);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return ::testing::AssertionFailure() << "no pipe";
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const bool started = m_server.Start(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
        BaseEnvironment(), m_dir.File("xvfb.log"), fds[1]);
    close(fds[1]);
    std::string number;
    // The server writes its display number, a line, once it takes connections.
    const auto until = Clock::now() + std::chrono::duration<double>(qwtest::kHangSeconds);
    while (started && (number.empty() || number.back() != '\n') && Clock::now() < until) {
      pollfd p = {fds[0], POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char c;
      if (read(fds[0], &c, 1) != 1) break;
      number += c;
    }
    close(fds[0]);
    if (number.empty() || number.back() != '\n')
      return ::testing::AssertionFailure() << "Xvfb told no display: " << qwtest::ReadWholeFile(m_dir.File("xvfb.log"));
    m_name = ":" + number.substr(0, number.size() - 1);
    m_display = XOpenDisplay(m_name.c_str());
    if (!m_display) return ::testing::AssertionFailure() << "cannot open " << m_name;
    XSetErrorHandler(IgnoreXErrors);
    m_work_area = m_size;
    // The panel stands before the window manager starts, as a session's does: openbox may miss
    // the strut of a dock mapped while it starts.
    if (panel > 0) {
      MakePanel(panel);
      m_work_area = {0, 0, width, height - panel};
    }
    if (window_manager) {
      std::vector<std::string> env = BaseEnvironment();
      env.push_back("DISPLAY=" + m_name);
      env.push_back("HOME=" + m_dir.Path());
      env.push_back("XDG_CONFIG_HOME=" + m_dir.File("config"));
      if (!m_window_manager.Start({"openbox", "--sm-disable"}, env, m_dir.File("openbox.log")))
        return ::testing::AssertionFailure() << "openbox did not start";
      const auto managing = [&] {
        return !Cardinals(m_display, Root(), "_NET_SUPPORTING_WM_CHECK", 1).empty() && WorkArea() == m_work_area;
      };
      if (!WaitFor("openbox to manage the screen", managing))
        return ::testing::AssertionFailure()
               << "openbox never managed " << m_name << " with the work area " << m_work_area << " (it is "
               << WorkArea() << "): " << qwtest::ReadWholeFile(m_dir.File("openbox.log"));
    }
    return ::testing::AssertionSuccess();
  }

  const std::string &Name() const { return m_name; }
  Display *X() const { return m_display; }
  Window Root() const { return DefaultRootWindow(m_display); }
  const Rect &Size() const { return m_size; }
  // What the test made the work area: the screen less the panel.
  const Rect &ExpectedWorkArea() const { return m_work_area; }
  // The work area as the window manager tells it.
  Rect WorkArea() const {
    const std::vector<long> a = Cardinals(m_display, Root(), "_NET_WORKAREA", 4);
    return a.size() == 4 ? Rect{a[0], a[1], a[2], a[3]} : m_size;
  }

 private:
  // A dock along the bottom, as a desktop's panel is: it asks the window manager to keep the
  // strip for itself.
  void MakePanel(int height) {
    const long width = m_size.width, top = m_size.height - height;
    XSetWindowAttributes a;
    a.background_pixel = BlackPixel(m_display, DefaultScreen(m_display));
    const Window panel = XCreateWindow(m_display, Root(), 0, int(top), unsigned(width), unsigned(height), 0,
                                       CopyFromParent, InputOutput, CopyFromParent, CWBackPixel, &a);
    const Atom type = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dock = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(m_display, panel, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&dock), 1);
    const long strut[4] = {0, 0, 0, height};
    const long partial[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(m_display, panel, XInternAtom(m_display, "_NET_WM_STRUT", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(strut), 4);
    XChangeProperty(m_display, panel, XInternAtom(m_display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(partial), 12);
    XSizeHints hints = {};
    hints.flags = USPosition | USSize;
    hints.x = 0;
    hints.y = int(top);
    hints.width = int(width);
    hints.height = height;
    XSetWMNormalHints(m_display, panel, &hints);
    XMapWindow(m_display, panel);
    XSync(m_display, False);
  }

  qwtest::TempDir m_dir;
  Child m_server, m_window_manager;
  std::string m_name;
  Display *m_display = nullptr;
  Rect m_size = {0, 0, 0, 0}, m_work_area = {0, 0, 0, 0};
};

// The program's window as the X server has it: its client area on the screen and the frame the
// window manager says it put round it (none without one).
struct Placement {
  bool found = false;
  bool full_screen = false;
  Rect client = {0, 0, 0, 0};
  bool framed = false;
  long left = 0, right = 0, top = 0, bottom = 0;
  Rect Frame() const {
    return {client.x - left, client.y - top, client.width + left + right, client.height + top + bottom};
  }
};

std::ostream &operator<<(std::ostream &out, const Placement &p) {
  if (!p.found) return out << "no window";
  out << (p.full_screen ? "full screen, " : "") << "client " << p.client;
  if (p.framed)
    out << ", frame " << p.Frame() << " (left " << p.left << ", right " << p.right << ", top " << p.top << ", bottom "
        << p.bottom << ")";
  return out;
}

Placement Measure(Display *d, Window w) {
  Placement p;
  XWindowAttributes a;
  Window child;
  int x = 0, y = 0;
  if (!w || !XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable ||
      !XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child))
    return p;
  p.found = true;
  p.client = {x, y, a.width, a.height};
  const std::vector<long> extents = Cardinals(d, w, "_NET_FRAME_EXTENTS", 4);
  if (extents.size() == 4) {
    p.framed = true;
    p.left = extents[0];
    p.right = extents[1];
    p.top = extents[2];
    p.bottom = extents[3];
  }
  const Atom full_screen = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
  for (long state : Cardinals(d, w, "_NET_WM_STATE", 16)) p.full_screen = p.full_screen || Atom(state) == full_screen;
  return p;
}

using qwtest::Area;

// The share of an area's pixels (design units over the whole window) that look like the
// wooden buttons, and that are dark.
struct Shares {
  double wood = 0, dark = 0;
};

Shares Look(const qwtest::WindowPicture &p, const _Dimension &a) {
  const double sx = double(p.width) / kDesign, sy = double(p.height) / kDesignHeight;
  const int x0 = int(a.x * sx), y0 = int(a.y * sy);
  const int x1 = std::min(p.width, int((a.x + a.width) * sx)), y1 = std::min(p.height, int((a.y + a.height) * sy));
  Shares s;
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      const unsigned char *c = p.At(x, y);
      n++;
      if (c[0] > 50 && c[1] < 0.75 * c[0] && c[2] < 0.7 * c[1]) s.wood++;
      if (c[0] + c[1] + c[2] < 200) s.dark++;
    }
  if (n) s.wood /= n, s.dark /= n;
  return s;
}

bool IsButton(const qwtest::WindowPicture &p, const _Dimension &a) { return Look(p, a).wood >= 0.5; }
bool IsNoButton(const qwtest::WindowPicture &p, const _Dimension &a) { return Look(p, a).wood <= 0.15; }

const ScreenLayout &Users() { return UsersCollectionController::GetLayout(); }
const ScreenLayout &UserNew() { return UserNewCollectionController::GetLayout(); }
const ScreenLayout &MainMenu() { return MainCollectionController::GetLayout(); }

bool PlayersScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(Users(), "New")) && IsButton(p, Area(Users(), "Exit"));
}
bool NewPlayerScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(UserNew(), "Name")) && IsButton(p, Area(UserNew(), "Continue")) &&
         IsNoButton(p, Area(Users(), "New"));
}
// The name's question covers the name's box, over the dimmed screen.
bool NameAsked(const qwtest::WindowPicture &p) {
  const Shares name = Look(p, Area(UserNew(), "Name")), go_on = Look(p, Area(UserNew(), "Continue"));
  return name.dark > 0.75 && go_on.dark > 0.9 && go_on.wood > 0.1;
}
bool MainMenuScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(MainMenu(), "Play")) && IsButton(p, Area(MainMenu(), "Exit")) &&
         IsNoButton(p, Area(Users(), "New"));
}

// The lit wooden buttons of a popup across the middle third of the window, left to right.
std::vector<Rect> PopupButtons(const qwtest::WindowPicture &p) {
  auto lit_wood = [&](int x, int y) {
    const unsigned char *c = p.At(x, y);
    return c[0] >= 130 && c[1] >= 100 && c[1] < 0.8 * c[0] && c[2] < 0.8 * c[1];
  };
  for (int y = p.height / 3; y < p.height * 2 / 3; y++) {
    std::vector<Rect> runs;
    for (int x = p.width / 5; x < p.width * 4 / 5;) {
      if (!lit_wood(x, y)) {
        x++;
        continue;
      }
      const int start = x;
      while (x < p.width && lit_wood(x, y)) x++;
      if (x - start >= 30) runs.push_back({start, y, x - start, 1});
    }
    // A button's lit band goes on down for 5 rows at both its ends.
    bool tall = !runs.empty();
    for (const Rect &r : runs)
      for (int dy = 1; dy < 5 && tall; dy++)
        tall = lit_wood(int(r.x + 3), y + dy) && lit_wood(int(r.x + r.width - 4), y + dy);
    if (tall && runs.size() >= 2) return runs;
  }
  return {};
}

// How a case's program comes to show a windowed window.
enum class Way { kSaved, kEscapeThenWindowed };

struct Case {
  const char *name;
  int desktop_width, desktop_height, panel;
  Way way;
  // The saved window (the switch from full screen keeps the full screen's size and puts the
  // window in the work area's corner).
  int x, y, width, height;
  // The client area's size the program asks for, before the frame is allowed for: a saved
  // window within the display's width and its height less 50, the switch's the display's.
  int asked_width, asked_height;
  // Where the client area must stand, frame allowed for, when the window fits: the place asked
  // for; -1 where the window fills the room and the frame decides.
  int at_x, at_y;
};

std::ostream &operator<<(std::ostream &out, const Case &c) { return out << c.name; }

// The cases the desktop showed wrong: a window on the whole of a 1024x768 desktop, saved or
// switched to with Escape then Windowed in play; one on a 1280x1024 desktop with a 30 px panel
// at the bottom. And windows that fit, which stand where they were asked to.
const Case kCases[] = {
    {"SavedWindowAsLargeAsTheDesktop", 1024, 768, 0, Way::kSaved, 0, 45, 1024, 768, 1024, 718, -1, -1},
    {"SavedWindowAsLargeAsADesktopWithAPanel", 1280, 1024, 30, Way::kSaved, -1, -1, 1280, 1024, 1280, 974, -1, -1},
    {"SavedWindowThatFits", 1024, 768, 0, Way::kSaved, 100, 100, 800, 600, 800, 600, 100, 100},
    {"SavedWindowInTheCornerAboveAPanel", 1280, 1024, 30, Way::kSaved, 0, 0, 1024, 768, 1024, 768, 0, 0},
    {"EscapeThenWindowedOnTheWholeDesktop", 1024, 768, 0, Way::kEscapeThenWindowed, -1, -1, 800, 600, 1024, 768, -1,
     -1},
    {"EscapeThenWindowedAboveAPanel", 1280, 1024, 30, Way::kEscapeThenWindowed, -1, -1, 800, 600, 1280, 1024, -1, -1},
};

// The program started on a desktop of the test's own, and driven and measured from outside.
class ProgramOnADesktop : public ::testing::Test {
 protected:
  void TearDown() override { m_program.Stop(); }

  // The display settings: no start-up dialog, the weekly check done today, and the window (or
  // full screen at the desktop's size) the case asks for.
  void WriteSettings(bool windowed, int x, int y, int width, int height, int full_width, int full_height) {
    _Resolution r;
    memset(&r, 0, sizeof(r));
    r.settings_version = MainGetResFileVersion();
    r.game_version = MainGetGameVersion();
    const time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    r.last_version_check.year = EngUInt32(local.tm_year + 1900);
    r.last_version_check.month = char(local.tm_mon + 1);
    r.last_version_check.day = char(local.tm_mday);
    r.windowed = windowed ? 1 : 0;
    r.window_x = x;
    r.window_y = y;
    r.window_width = width;
    r.window_height = height;
    r.window_bitdepth = r.fullscreen_bitdepth = 32;
    r.fullscreen_width = full_width;
    r.fullscreen_height = full_height;
    r.fullscreen_frequency = 60;
    r.ttxq_quality = r.ctxq_quality = 1;
    strcpy(r.language, "English");
    r.language_chosen = 1;
    r.reserved_flag_141 = r.show_text_viewer = r.sound_on = r.music_on = r.reserved_flag_345 = 1;
    unsigned char bytes[RESOLUTION_FILE_SIZE];
    ResolutionWriteRecordToBytes(&r, bytes);
    const std::string data = m_home.File(".local/share/Tallowmere/Quarrelwick");
    for (const char *folder :
         {".local", ".local/share", ".local/share/Tallowmere", ".local/share/Tallowmere/Quarrelwick"})
      mkdir(m_home.File(folder).c_str(), 0700);
    qwtest::WriteWholeFile(data + "/Resolution.dat", std::string(reinterpret_cast<char *>(bytes), sizeof(bytes)));
  }

  std::string Log() { return qwtest::ReadWholeFile(m_home.File(".local/share/Tallowmere/Quarrelwick/LogFile.txt")); }
  std::string Output() { return qwtest::ReadWholeFile(m_home.File("output.txt")); }

  ::testing::AssertionResult StartProgram() {
    std::vector<std::string> env = BaseEnvironment();
    for (const std::string &v :
         {"DISPLAY=" + m_desktop.Name(), std::string("SDL_VIDEODRIVER=x11"), std::string("LIBGL_ALWAYS_SOFTWARE=1"),
          "HOME=" + m_home.Path(), std::string("QUARRELWICK_NONINTERACTIVE=1"),
          std::string("QUARRELWICK_UPDATE_URL=http://127.0.0.1:1"),
          std::string("QUARRELWICK_SCORE_URL=http://127.0.0.1:1"), std::string("ALSOFT_DRIVERS=null"),
          std::string("ASAN_OPTIONS=detect_leaks=1"),
          "LSAN_OPTIONS=intercept_tls_get_addr=0:suppressions=" + qwtest::SourceDir() +
              "/tests/support/lsan-suppressions.txt"})
      env.push_back(v);
    if (!m_program.Start({qwtest::BinaryDir() + "/quarrelwick"}, env, m_home.File("output.txt")))
      return ::testing::AssertionFailure() << "could not start the program";
    if (!m_x.Open(m_desktop.Name().c_str())) return ::testing::AssertionFailure() << m_x.Error();
    return FindWindow();
  }

  // The program's window (a mode change makes a new one).
  ::testing::AssertionResult FindWindow() {
    return WaitFor("the program's window",
                   [&] { return m_program.Ended(0) == -1 && m_x.FindWindow(kTitle, m_program.Pid(), 0, 0) != 0; })
           << "\n"
           << Output() << Log();
  }

  // Waits for a screen, told by its widgets, on three pictures in a row.
  ::testing::AssertionResult WaitForScreen(const char *name,
                                           const std::function<bool(const qwtest::WindowPicture &)> &is) {
    int in_a_row = 0;
    auto shown = [&] {
      if (!m_x.Grab(&m_picture)) m_picture = qwtest::WindowPicture();
      in_a_row = m_picture.width > 0 && is(m_picture) ? in_a_row + 1 : 0;
      return in_a_row >= 3 || m_program.Ended(0) != -1;
    };
    ::testing::AssertionResult waited = WaitFor(std::string("the screen ") + name, shown);
    if (!waited || in_a_row < 3) {
      const std::string shot = qwtest::BinaryDir() + "/ProgramDesktop-" + name + ".ppm";
      m_picture.Save(shot);
      return ::testing::AssertionFailure() << "no " << name << " screen (last picture " << shot << ")\n"
                                           << Output() << Log();
    }
    return ::testing::AssertionSuccess();
  }

  void ClickOn(const _Dimension &a) {
    ASSERT_TRUE(m_x.Click(int((a.x + a.width / 2) * m_picture.width / kDesign),
                          int((a.y + a.height / 2) * m_picture.height / kDesignHeight)));
  }

  // From the first players screen through a new player to the menu, Escape, then Windowed.
  void EscapeThenWindowed() {
    ASSERT_TRUE(WaitForScreen("Players", PlayersScreen));
    ClickOn(Area(Users(), "New"));
    ASSERT_TRUE(WaitForScreen("NewPlayer", NewPlayerScreen));
    ClickOn(Area(UserNew(), "Name"));
    ASSERT_TRUE(WaitForScreen("NameAsked", NameAsked));
    ASSERT_TRUE(m_x.Type("Wren")) << m_x.Error();
    ASSERT_TRUE(m_x.Key("Return"));
    ASSERT_TRUE(WaitForScreen("NameGiven", NewPlayerScreen));
    ClickOn(Area(UserNew(), "Continue"));
    ASSERT_TRUE(WaitForScreen("MainMenu", MainMenuScreen));
    ASSERT_TRUE(m_x.Key("Escape"));
    std::vector<Rect> answers;
    ASSERT_TRUE(WaitForScreen("ExitOrWindowed", [&](const qwtest::WindowPicture &p) {
      answers = PopupButtons(p);
      return answers.size() == 3;
    }));
    if (const char *dir = getenv("QW_SCREENSHOT_DIR")) m_picture.Save(std::string(dir) + "/ExitOrWindowed.ppm");
    // Exit, Windowed, Cancel.
    ASSERT_TRUE(m_x.Click(int(answers[1].x + answers[1].width / 2), int(answers[1].y + 6)));
    // The full-screen window goes; the windowed one is a new window.
    const unsigned long full_screen = m_x.WindowId();
    ASSERT_TRUE(WaitFor("the full-screen window to go", [&] { return !Measure(m_desktop.X(), full_screen).found; }));
    ASSERT_TRUE(FindWindow());
  }

  // Waits until the window has shown so many more frames.
  ::testing::AssertionResult WaitForFrames(int frames) {
    const long until = m_x.FramesShown() + frames;
    return WaitFor(std::to_string(frames) + " frames", [&] { return m_x.FramesShown() >= until; });
  }

  // Ends the program with SIGTERM: it closes down as it should, within the hang limit.
  void EndsOnSigterm() {
    ASSERT_EQ(kill(m_program.Pid(), SIGTERM), 0);
    EXPECT_EQ(m_program.Ended(qwtest::kHangSeconds), 0) << Output() << Log();
    const std::string log = Log();
    EXPECT_NE(log.find("Exited program."), std::string::npos) << log;
  }

  qwtest::TempDir m_home;
  Desktop m_desktop;
  Child m_program;
  qwtest::XTestDriver m_x;
  qwtest::WindowPicture m_picture;
};

class ProgramDesktopTest : public ProgramOnADesktop, public ::testing::WithParamInterface<Case> {};

TEST_P(ProgramDesktopTest, AWindowedWindowLiesInsideTheWorkAreaWithItsFrame) {
  const Case &c = GetParam();
  ASSERT_TRUE(m_desktop.Start(c.desktop_width, c.desktop_height, true, c.panel));
  const Rect work = m_desktop.ExpectedWorkArea();
  ASSERT_EQ(m_desktop.WorkArea(), work);
  WriteSettings(c.way == Way::kSaved, c.x, c.y, c.width, c.height, c.desktop_width, c.desktop_height);
  ASSERT_TRUE(StartProgram());
  if (c.way == Way::kEscapeThenWindowed) {
    ASSERT_NO_FATAL_FAILURE(EscapeThenWindowed());
  }

  // The frame told, the window as large as the work area leaves room for within what was asked
  // and inside it with its frame; and so still after the program has shown more frames (the
  // window manager may tell another frame once the window is smaller: the program follows).
  Placement seen, settled;
  const auto placed = [&] {
    seen = Measure(m_desktop.X(), m_x.WindowId());
    const long width = std::min<long>(c.asked_width, work.width - seen.left - seen.right);
    const long height = std::min<long>(c.asked_height, work.height - seen.top - seen.bottom);
    return seen.found && !seen.full_screen && seen.framed && seen.client.width == width &&
           seen.client.height == height && Inside(work, seen.Frame());
  };
  const auto stays = [&] {
    if (!placed()) return false;
    settled = seen;
    if (!WaitForFrames(kFramesToSettle)) return false;
    return placed() && seen.client == settled.client && seen.Frame() == settled.Frame();
  };
  ASSERT_TRUE(WaitFor("the window to stay inside the work area", stays)) << seen << ", work area " << work << "\n"
                                                                         << Output() << Log();
  if (c.at_x >= 0) {
    const Rect asked = {work.x + std::max<long>(c.at_x, settled.left), work.y + std::max<long>(c.at_y, settled.top),
                        c.asked_width, c.asked_height};
    EXPECT_EQ(settled.client, asked) << settled;
  }

  // The screen drawn at the window's size: its widgets where the window's size puts them, and
  // no black edge of a window larger than what is drawn.
  ASSERT_TRUE(WaitForScreen("Windowed", c.way == Way::kSaved ? PlayersScreen : MainMenuScreen));
  ASSERT_EQ(m_picture.width, settled.client.width);
  ASSERT_EQ(m_picture.height, settled.client.height);
  int black_bottom = 0, black_right = 0;
  for (int x = 0; x < m_picture.width; x++) {
    const unsigned char *p = m_picture.At(x, m_picture.height - 1);
    black_bottom += p[0] + p[1] + p[2] < 24;
  }
  for (int y = 0; y < m_picture.height; y++) {
    const unsigned char *p = m_picture.At(m_picture.width - 1, y);
    black_right += p[0] + p[1] + p[2] < 24;
  }
  EXPECT_LT(black_bottom, m_picture.width / 2);
  EXPECT_LT(black_right, m_picture.height / 2);
  if (const char *dir = getenv("QW_SCREENSHOT_DIR")) m_picture.Save(std::string(dir) + "/" + c.name + ".ppm");

  EndsOnSigterm();
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramDesktopTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });

// Without a window manager anything may size the window: given sizes far past the display, the
// program keeps its window at the display's size at most, says so in its log, draws on and ends
// on SIGTERM, in a window and full screen.
class ProgramOversizeTest : public ProgramOnADesktop, public ::testing::WithParamInterface<bool> {};

TEST_P(ProgramOversizeTest, AWindowMadeLargerThanTheDisplayIsHeldAtTheDisplaysSize) {
  const bool windowed = GetParam();
  const struct { unsigned width, height; } sizes[] = {{16000, 16000}, {5000, 400}, {400, 5000}};
  ASSERT_TRUE(m_desktop.Start(1024, 768, false, 0));
  const Rect screen = m_desktop.Size();
  WriteSettings(windowed, -1, -1, 800, 600, 1024, 768);
  ASSERT_TRUE(StartProgram());
  ASSERT_TRUE(WaitForFrames(kFramesToSettle));
  for (const auto &size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    XResizeWindow(m_desktop.X(), m_x.WindowId(), size.width, size.height);
    XSync(m_desktop.X(), False);
    Placement seen;
    const auto held = [&] {
      seen = Measure(m_desktop.X(), m_x.WindowId());
      return seen.found && seen.client.width <= screen.width && seen.client.height <= screen.height;
    };
    ASSERT_TRUE(WaitFor("the window back within the display", held)) << seen;
    const std::string told = "Window size " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                             " held at the display's 1024 x 768";
    EXPECT_NE(Log().find(told), std::string::npos) << Log();
    // Still drawing, and still at most the display's size.
    ASSERT_TRUE(WaitForFrames(kFramesToSettle));
    seen = Measure(m_desktop.X(), m_x.WindowId());
    EXPECT_LE(seen.client.width, screen.width);
    EXPECT_LE(seen.client.height, screen.height);
  }
  EndsOnSigterm();
}

INSTANTIATE_TEST_SUITE_P(WindowedAndFullScreen, ProgramOversizeTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool> &info) {
                           return std::string(info.param ? "Windowed" : "FullScreen");
                         });

}  // namespace
