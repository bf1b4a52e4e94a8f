// The built program played from outside, as a person plays it: started as its own process with
// a fresh HOME on its own X server, clicked and typed at through XTest, and watched through its
// window's pixels and the frames it shows, its log, the files it leaves and its exit code. Where
// a widget is comes from the screens' layout tables (design units, 640 by 480, here also window
// pixels); which screen shows is told by the widgets' pixels; where a gun may stand is worked
// out by the play field's own rules in this process. With QW_SCREENSHOT_DIR set, each step's
// picture is saved there; a failed wait always saves the last picture in the build folder.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Engine/EngEncryption.h"
#include "Engine/Resolution.h"
#include "game/Levels.h"
#include "game/Main.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "game/Sidebar.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "players/UserInfo.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/MainCollectionController.h"
#include "screens/layouts/NoticeCollectionController.h"
#include "screens/layouts/PauseCollectionController.h"
#include "screens/layouts/SelectCollectionController.h"
#include "screens/layouts/UserNewCollectionController.h"
#include "screens/layouts/UsersCollectionController.h"
#include "tests/game/LayoutArea.h"
#include "tests/game/XTestDriver.h"
#include "tests/support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640, kHeight = 480;
constexpr const char *kPlayer = "Wren Ash";
constexpr const char *kDataFolder = "home/.local/share/Tallowmere/Quarrelwick";
// Long enough for the sanitizer build on a busy machine; a healthy run waits far less.
constexpr std::chrono::seconds kStepDeadline(90);
// Frames the program shows after a press that must do nothing before the test looks again. It
// draws and shows every frame, 60 a second when the machine keeps up, so these are about half a
// second of its clock; the deadline leaves room for a slow, loaded machine.
constexpr int kFramesForNothing = 30;
constexpr std::chrono::seconds kFramesDeadline(60);

using qwtest::Area;

// What share of a rectangle's pixels look like what: the wooden buttons (a saturated brown,
// lit orange under the pointer, darker under a popup), the lawn, the splash's red roof, and
// white text.
struct Shares {
  double wood = 0, grass = 0, roof = 0, white = 0, dark = 0;
};

Shares Measure(const qwtest::WindowPicture &p, const _Dimension &design) {
  const double sx = double(p.width) / kWidth, sy = double(p.height) / kHeight;
  const int x0 = int(design.x * sx), y0 = int(design.y * sy);
  const int x1 = std::min(p.width, int((design.x + design.width) * sx));
  const int y1 = std::min(p.height, int((design.y + design.height) * sy));
  Shares s;
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      const unsigned char *c = p.At(x, y);
      const int r = c[0], g = c[1], b = c[2];
      n++;
      if (r > 50 && g < 0.75 * r && b < 0.7 * g) s.wood++;
      if (g > r + 20 && g > b + 20) s.grass++;
      if (r > 180 && g < 150 && b > 0.75 * g && b < 0.8 * r) s.roof++;
      if (r > 200 && g > 200 && b > 200) s.white++;
      if (r + g + b < 200) s.dark++;
    }
  if (n) {
    s.wood /= n;
    s.grass /= n;
    s.roof /= n;
    s.white /= n;
    s.dark /= n;
  }
  return s;
}

bool IsButton(const qwtest::WindowPicture &p, const _Dimension &a) { return Measure(p, a).wood >= 0.5; }
bool IsNoButton(const qwtest::WindowPicture &p, const _Dimension &a) { return Measure(p, a).wood <= 0.15; }

// The play field's points (-1 to 1 across and down) and design units, as the program maps the
// pointer: the field is the 540 by 450 units right of the shop column.
float FieldX(int design_x) { return float(design_x - 100) / 270.0f - 1.0f; }
float FieldY(int design_y) { return float(design_y) / 225.0f - 1.0f; }

// Where a person would put the first garden's gun factory and a first gun: the gun beside the
// road's early part, the factory well away from it, each where the program allows it at the
// whole pixel the pointer lands on. Worked out on the garden's own path data by the play
// field's own rules, run in this process.
struct Places {
  int factory_x = 0, factory_y = 0, gun_x = 0, gun_y = 0;
};

bool FindPlaces(const std::string &resources, Places *out) {
  qwtest::TempDir scratch;
  qwtest::WorkingFolder cwd;
  if (!cwd.Enter(scratch.Path())) return false;
  qwtest::WriteWholeFile(scratch.File("TravCalcs0.dat"), qwtest::ReadWholeFile(resources + "/TravCalcs0.dat"));
  QuarrelwickResetForTests();
  LevelsResetForTests();
  TraverseReset();
  level_garden = 0;
  level_difficulty = 0;
  // Without a device the garden's picture is not made; that is logged and play goes on.
  testing::internal::CaptureStderr();
  const bool started = QuarrelwickInitForNewGame(0) && traverse_info.num_points > 10;
  testing::internal::GetCapturedStderr();
  bool found = false;
  const int gun = 0, factory = QW_FIRST_FACTORY_TYPE;
  auto on_field = [](int x, int y) { return x > 110 && x < 630 && y > 10 && y < 440; };
  // The gun within its short range of the road, a fifth of the way along.
  const _Vector2d road = traverse_info.points[traverse_info.num_points / 5];
  for (float r = 0.07f; started && !found && r < 0.3f; r += 0.01f)
    for (int step = 0; step < 36 && !found; step++) {
      const float a = float(step) * 0.17453f;
      const int x = int((road.x + std::cos(a) * r + 1.0f) * 270.0f + 100.0f + 0.5f);
      const int y = int((road.y + std::sin(a) * r + 1.0f) * 225.0f + 0.5f);
      if (!on_field(x, y) || !WeaponsCanPlaceWeaponHere(gun, FieldX(x), FieldY(y), 0)) continue;
      // The factory clear of the gun, leaving its place open, below the hints' board at the top.
      for (int fy = 150; fy < 430 && !found; fy += 10)
        for (int fx = 130; fx < 620 && !found; fx += 10) {
          if (std::hypot(FieldX(fx) - FieldX(x), FieldY(fy) - FieldY(y)) < 0.3f) continue;
          if (!WeaponsCanPlaceWeaponHere(factory, FieldX(fx), FieldY(fy), 0)) continue;
          if (!WeaponsCreateNew(factory, FieldX(fx), FieldY(fy), 0, 1)) continue;
          if (WeaponsCanPlaceWeaponHere(gun, FieldX(x), FieldY(y), 0)) {
            *out = {fx, fy, x, y};
            found = true;
          } else {
            WeaponsSellWeapon(num_weapons - 1);
          }
        }
    }
  QuarrelwickResetForTests();
  LevelsResetForTests();
  TraverseReset();
  return cwd.Restore() && found;
}

void MakeFolders(const std::string &path) {
  for (size_t at = 1; at != std::string::npos; at = path.find('/', at + 1)) mkdir(path.substr(0, at).c_str(), 0700);
  mkdir(path.c_str(), 0700);
}

// Every file below a folder, as paths relative to it.
void ListFiles(const std::string &root, const std::string &relative, std::vector<std::string> *out) {
  DIR *dir = opendir((root + "/" + relative).c_str());
  if (!dir) return;
  while (dirent *e = readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    std::string path = relative.empty() ? name : relative + "/" + name;
    struct stat st;
    if (lstat((root + "/" + path).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      ListFiles(root, path, out);
    else
      out->push_back(path);
  }
  closedir(dir);
}

bool StartsWith(const std::string &s, const std::string &prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

class PlayThroughTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_build = qwtest::BinaryDir();
    m_program = m_build + "/quarrelwick";
    ASSERT_EQ(access(m_program.c_str(), X_OK), 0) << m_program;
    ASSERT_TRUE(m_x.Open()) << m_x.Error();
    m_home = m_root.File("home");
    m_data = m_root.File(kDataFolder);
    MakeFolders(m_data);
    MakeFolders(m_home + "/.config");
    MakeFolders(m_home + "/Desktop");
    MakeFolders(m_root.File("cwd"));
    MakeFolders(m_root.File("tmp"));
    // Whatever the program puts on the Desktop lands inside this home.
    qwtest::WriteWholeFile(m_home + "/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    WriteDisplaySettings();
  }

  void TearDown() override {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
  }

  // A window of the design size, no start-up dialog, and the weekly update check already done
  // today: the program starts straight on its first screen.
  void WriteDisplaySettings() {
    _Resolution r;
    memset(&r, 0, sizeof(r));
    r.settings_version = MainGetResFileVersion();
    r.game_version = MainGetGameVersion();
    r.show_dialog = 0;
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    r.last_version_check.year = EngUInt32(local.tm_year + 1900);
    r.last_version_check.month = char(local.tm_mon + 1);
    r.last_version_check.day = char(local.tm_mday);
    r.windowed = 1;
    r.window_x = r.window_y = -1;
    r.window_width = kWidth;
    r.window_height = kHeight;
    r.window_bitdepth = r.fullscreen_bitdepth = 32;
    r.fullscreen_width = 1024;
    r.fullscreen_height = 768;
    r.fullscreen_frequency = 60;
    r.ttxq_quality = r.ctxq_quality = 1;
    strcpy(r.language, "English");
    r.language_chosen = 1;
    r.reserved_flag_141 = r.show_text_viewer = r.sound_on = r.music_on = r.reserved_flag_345 = 1;
    unsigned char bytes[RESOLUTION_FILE_SIZE];
    ResolutionWriteRecordToBytes(&r, bytes);
    qwtest::WriteWholeFile(m_data + "/Resolution.dat", std::string(reinterpret_cast<char *>(bytes), sizeof(bytes)));
  }

  // Starts the program as a person would, with its output kept in run<n>.txt beside the home.
  void Start() {
    m_run++;
    m_output = m_root.File("run" + std::to_string(m_run) + ".txt");
    std::vector<std::string> env;
    for (char **e = environ; *e; e++) {
      std::string v = *e;
      for (const char *own :
           {"HOME=", "XDG_", "TMPDIR=", "QUARRELWICK_", "ALSOFT_DRIVERS=", "ASAN_OPTIONS=", "LSAN_OPTIONS="})
        if (StartsWith(v, own)) v.clear();
      if (!v.empty()) env.push_back(v);
    }
    env.push_back("HOME=" + m_home);
    env.push_back("TMPDIR=" + m_root.File("tmp"));
    env.push_back("QUARRELWICK_NONINTERACTIVE=1");
    env.push_back("QUARRELWICK_UPDATE_URL=http://127.0.0.1:1");
    env.push_back("QUARRELWICK_SCORE_URL=http://127.0.0.1:1");
    env.push_back("ALSOFT_DRIVERS=null");
    // A sanitizer build's program reports leaks too (system libraries' own are suppressed).
    env.push_back("ASAN_OPTIONS=detect_leaks=1");
    env.push_back("LSAN_OPTIONS=intercept_tls_get_addr=0:suppressions=" + qwtest::SourceDir() +
                  "/tests/support/lsan-suppressions.txt");
    std::vector<char *> envp;
    for (std::string &v : env) envp.push_back(&v[0]);
    envp.push_back(nullptr);
    const std::string cwd = m_root.File("cwd");
    char *argv[] = {&m_program[0], nullptr};
    m_pid = fork();
    ASSERT_GE(m_pid, 0);
    if (m_pid == 0) {
      int out = open(m_output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0 || chdir(cwd.c_str()) != 0) _exit(126);
      dup2(out, 1);
      dup2(out, 2);
      execve(argv[0], argv, envp.data());
      _exit(127);
    }
    m_x.Forget();
    WaitFor("the program's window", [&] { return m_x.FindWindow("Quarrelwick", m_pid, kWidth, kHeight) != 0; });
  }

  // Waits for the program's own end; its exit status.
  int WaitForExit() {
    int status = -1;
    const auto deadline = Clock::now() + kStepDeadline;
    while (Clock::now() < deadline) {
      pid_t done = waitpid(m_pid, &status, WNOHANG);
      if (done == m_pid) {
        m_pid = -1;
        return status;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "the program did not end; its output:\n" << qwtest::ReadWholeFile(m_output);
    return -1;
  }

  // Polls until the condition holds, or fails the test at the deadline.
  void WaitFor(const std::string &what, const std::function<bool()> &condition,
               std::chrono::seconds within = kStepDeadline) {
    const auto deadline = Clock::now() + within;
    while (!condition()) {
      if (Clock::now() > deadline) {
        FAIL() << "waited in vain for " << what;
      }
      if (m_pid > 0) {
        int status;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
          m_pid = -1;
          FAIL() << "the program ended (status " << status << ") while waiting for " << what << "; its output:\n"
                 << qwtest::ReadWholeFile(m_output);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  // Waits until the program has shown so many frames more than it had shown (`since`, counted
  // right after what was sent): it has been round its loop at least as often since, so what it
  // has not done by then it did not do for that.
  void WaitForFrames(long since, int frames) {
    const auto shown = [&] { return m_x.FramesShown() >= since + frames; };
    WaitFor(std::to_string(frames) + " more frames", shown, kFramesDeadline);
  }

  // Waits until the window shows a screen: the test holds on three pictures in a row, so a
  // screen caught half faded in does not count.
  void WaitForScreen(const std::string &name, const std::function<bool(const qwtest::WindowPicture &)> &looks) {
    int in_a_row = 0;
    const auto deadline = Clock::now() + kStepDeadline;
    while (in_a_row < 3) {
      if (!m_x.Grab(&m_picture)) m_picture = qwtest::WindowPicture();
      in_a_row = (m_picture.width > 0 && looks(m_picture)) ? in_a_row + 1 : 0;
      if (in_a_row >= 3) break;
      if (Clock::now() > deadline || m_pid < 0) {
        std::string shot = m_build + "/PlayThrough-" + name + ".ppm";
        m_picture.Save(shot);
        FAIL() << "the screen \"" << name << "\" did not show (last picture: " << shot << "); its output:\n"
               << qwtest::ReadWholeFile(m_output);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    if (const char *dir = getenv("QW_SCREENSHOT_DIR"))
      m_picture.Save(std::string(dir) + "/PlayThrough-" + std::to_string(++m_shots) + "-" + name + ".ppm");
  }

  void ClickOn(const _Dimension &a) {
    ASSERT_TRUE(m_x.Click(int((a.x + a.width / 2) * m_picture.width / kWidth),
                          int((a.y + a.height / 2) * m_picture.height / kHeight)));
  }

  // The log of the last run: its lines that report a fault (warnings, errors, fatal exits,
  // error popups). Without a system D-Bus, as in a container, the sleep and wake notices are
  // missing: that is information, not a fault.
  std::string FaultLines() {
    std::istringstream log(qwtest::ReadWholeFile(m_data + "/LogFile.txt"));
    std::string line, faults;
    while (std::getline(log, line)) {
      bool fault = false;
      for (const char *tag : {"<WARNING>", "<ERROR>", "<EXIT>", "<POPUP>"})
        if (line.find(tag) != std::string::npos) fault = true;
      if (fault) faults += line + "\n";
    }
    return faults;
  }

  // After a run: ended by itself with 0, said nothing of sanitizers or faults, and its log
  // closed properly.
  void ExpectCleanEnd(int status) {
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    const std::string output = qwtest::ReadWholeFile(m_output);
    EXPECT_EQ(output.find("AddressSanitizer"), std::string::npos) << output;
    EXPECT_EQ(output.find("LeakSanitizer"), std::string::npos) << output;
    EXPECT_EQ(output.find("runtime error"), std::string::npos) << output;
    EXPECT_EQ(FaultLines(), "");
    EXPECT_NE(qwtest::ReadWholeFile(m_data + "/LogFile.txt").find("Exited program."), std::string::npos);
  }

  // The player file as the program wrote it (sealed).
  UserInfo ReadPlayerFile(const std::string &player = kPlayer) {
    UserInfo info;
    memset(&info, 0, sizeof(info));
    EngEncryptionInit("QX_SEALING_KEY");
    unsigned char bytes[USER_INFO_SIZE];
    const std::string path = m_data + "/Users/" + player + ".usr";
    EXPECT_TRUE(EngEncryptionReadFromFileAndDecrypt(path.c_str(), bytes, USER_INFO_SIZE)) << path;
    UserInfoReadFromBytes(bytes, &info);
    return info;
  }

  // Nothing was written but into the data folder and onto the Desktop: not the working folder,
  // not the temporary folder, not elsewhere in the home.
  void ExpectNothingWrittenElsewhere() {
    std::vector<std::string> files;
    ListFiles(m_root.Path(), "", &files);
    for (const std::string &f : files) {
      if (StartsWith(f, std::string(kDataFolder) + "/") || StartsWith(f, "home/Desktop/")) continue;
      if (f == "home/.config/user-dirs.dirs" || (StartsWith(f, "run") && f.size() > 4)) continue;
      ADD_FAILURE() << "written outside the data folder: " << f;
    }
  }

  qwtest::TempDir m_root;
  qwtest::XTestDriver m_x;
  qwtest::WindowPicture m_picture;
  std::string m_build, m_program, m_home, m_data, m_output;
  pid_t m_pid = -1;
  int m_run = 0, m_shots = 0;
};

// The screens, told by their widgets.
const ScreenLayout &Users() { return UsersCollectionController::GetLayout(); }
const ScreenLayout &UserNew() { return UserNewCollectionController::GetLayout(); }
const ScreenLayout &MainMenu() { return MainCollectionController::GetLayout(); }

// The splash's picture (the house's red roof) in the middle of the players screen.
const _Dimension kSplashRoof = {330, 200, 45, 40};

bool FirstPlayersScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(Users(), "New")) && IsButton(p, Area(Users(), "Exit")) &&
         IsNoButton(p, Area(Users(), "Continue")) && Measure(p, kSplashRoof).roof > 0.05;
}

bool ReturningPlayersScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(Users(), "New")) && IsButton(p, Area(Users(), "Exit")) &&
         IsButton(p, Area(Users(), "Continue")) && Measure(p, kSplashRoof).roof > 0.05;
}

bool NewPlayerScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(UserNew(), "Name")) && IsButton(p, Area(UserNew(), "Continue")) &&
         IsButton(p, Area(UserNew(), "Back")) && IsNoButton(p, Area(Users(), "New"));
}

// The name's question covers the name's box, over the dimmed screen: the box is mostly dark
// (the popup's dark earth and its dimmed ends), and Continue is still there but dimmed (a lit
// wooden button is only about half dark).
bool NameAsked(const qwtest::WindowPicture &p) {
  const Shares name = Measure(p, Area(UserNew(), "Name")), go_on = Measure(p, Area(UserNew(), "Continue"));
  return name.dark > 0.75 && go_on.dark > 0.9 && go_on.wood > 0.1;
}

bool MainMenuScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(MainMenu(), "Play")) && IsButton(p, Area(MainMenu(), "Exit")) &&
         IsButton(p, Area(MainMenu(), "User")) && IsNoButton(p, Area(Users(), "New")) &&
         Measure(p, Area(MainMenu(), "Welcome")).white > 0.01;
}

const ScreenLayout &Select() { return SelectCollectionController::GetLayout(); }
const ScreenLayout &Notice() { return NoticeCollectionController::GetLayout(); }
const ScreenLayout &Pause() { return PauseCollectionController::GetLayout(); }

bool SelectionScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(Select(), "Back")) && Measure(p, Area(Select(), "Level0")).grass > 0.3 &&
         Measure(p, Area(Select(), "SelectT")).white > 0.01 && IsNoButton(p, Area(MainMenu(), "Exit"));
}

// The notice: its Ok under the message on a dark board.
bool NoticeScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(Notice(), "Ok")) && Measure(p, Area(Notice(), "Text")).dark > 0.6 &&
         IsNoButton(p, Area(Select(), "Back"));
}

// The shop column and the bottom bar around the garden, no menu over it.
const _Dimension kShopColumn = {0, 100, 100, 340};
bool PlayScreen(const qwtest::WindowPicture &p) {
  return Measure(p, kShopColumn).wood > 0.3 && IsNoButton(p, Area(Pause(), "Resume")) &&
         IsNoButton(p, Area(Pause(), "Quit")) && Measure(p, Area(Notice(), "Text")).dark < 0.3;
}

bool PauseScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(Pause(), "Resume")) && IsButton(p, Area(Pause(), "Quit")) &&
         IsButton(p, Area(Pause(), "Save")) && IsNoButton(p, kShopColumn);
}

// How many pixels of a rectangle differ clearly between two pictures.
int Differing(const qwtest::WindowPicture &a, const qwtest::WindowPicture &b, const _Dimension &d) {
  int n = 0;
  for (int y = int(d.y); y < int(d.y + d.height) && y < a.height; y++)
    for (int x = int(d.x); x < int(d.x + d.width) && x < a.width; x++) {
      const unsigned char *p = a.At(x, y), *q = b.At(x, y);
      if (abs(p[0] - q[0]) + abs(p[1] - q[1]) + abs(p[2] - q[2]) > 60) n++;
    }
  return n;
}

// The bottom bar's numbers (score, cash, lives, where the bar draws them) and the shop's wave
// board.
const _Dimension kScoreText = {108, 455, 140, 20}, kCashText = {277, 455, 110, 20}, kLivesText = {417, 455, 40, 20},
                 kWaveBoard = {0, 5, 100, 20};

// The popup's answer buttons (wooden, lit from above) from left to right, in window pixels: the
// toolkit lays them out by their texts, so they are found where they are drawn.
std::vector<_Dimension> PopupButtons(const qwtest::WindowPicture &p) {
  std::vector<_Dimension> found;
  // The lit band along a wooden button's top; the buttons behind the popup are dimmed below it.
  auto lit_wood = [&](int x, int y) {
    const unsigned char *c = p.At(x, y);
    return c[0] >= 130 && c[1] >= 100 && c[1] < 0.8 * c[0] && c[2] < 0.8 * c[1];
  };
  // The buttons' tops: the first row in the middle third with two or more lit wooden runs that
  // go on down for 5 rows.
  for (int y = p.height / 3; y < p.height * 2 / 3 && found.empty(); y++) {
    std::vector<_Dimension> runs;
    for (int x = p.width / 5; x < p.width * 4 / 5;) {
      if (!lit_wood(x, y)) {
        x++;
        continue;
      }
      int start = x;
      while (x < p.width && lit_wood(x, y)) x++;
      if (x - start >= 30) runs.push_back({float(start), float(y), float(x - start), 1});
    }
    // A button's band is at least 5 rows of the same run (its edges: the text lies in its middle).
    bool tall = !runs.empty();
    for (const _Dimension &r : runs)
      for (int dy = 1; dy < 5 && tall; dy++)
        tall = lit_wood(int(r.x + 3), y + dy) && lit_wood(int(r.x + r.width - 4), y + dy);
    if (tall && runs.size() >= 2) found = runs;
  }
  return found;
}

struct SavedGameFacts {
  int garden = -1, difficulty = -1, cash = -1, wave = -1, lives = -1, score = -1, weapons = -1;
  std::vector<int> types;
  std::vector<float> xs, ys;
};

EngInt32 I32At(const unsigned char *b) {
  return EngInt32(EngUInt32(b[0]) | EngUInt32(b[1]) << 8 | EngUInt32(b[2]) << 16 | EngUInt32(b[3]) << 24);
}
float F32At(const unsigned char *b) {
  EngInt32 i = I32At(b);
  float f;
  memcpy(&f, &i, 4);
  return f;
}

// The resume game as the program left it (sealed), read by its record's layout.
SavedGameFacts ReadSavedGame(const std::string &data, const std::string &player = kPlayer) {
  SavedGameFacts facts;
  std::vector<unsigned char> r(SAVED_GAME_RECORD_SIZE);
  const std::string path = data + "/Users/" + player + "_SavedGame00.dat";
  EngEncryptionInit("QX_SEALING_KEY");
  if (!EngEncryptionReadFromFileAndDecrypt(path.c_str(), r.data(), SAVED_GAME_RECORD_SIZE)) {
    ADD_FAILURE() << "no saved game in " << path;
    return facts;
  }
  facts.garden = EngInt16(r[SAVED_GAME_OFS_GARDEN] | r[SAVED_GAME_OFS_GARDEN + 1] << 8);
  facts.difficulty = EngInt16(r[SAVED_GAME_OFS_DIFFICULTY] | r[SAVED_GAME_OFS_DIFFICULTY + 1] << 8);
  facts.cash = I32At(&r[SAVED_GAME_OFS_CASH]);
  facts.wave = I32At(&r[SAVED_GAME_OFS_WAVE]);
  facts.lives = I32At(&r[SAVED_GAME_OFS_LIVES]);
  facts.score = I32At(&r[SAVED_GAME_OFS_SCORE]);
  facts.weapons = I32At(&r[SAVED_GAME_OFS_NUM_WEAPONS]);
  for (int i = 0; i < facts.weapons && i < QW_MAX_WEAPONS; i++) {
    const unsigned char *w = &r[SAVED_GAME_OFS_WEAPONS + i * SAVED_GAME_WEAPON_SIZE];
    if (!w[0]) continue;  // a sold weapon's empty place
    facts.types.push_back(I32At(w + 4));
    facts.xs.push_back(F32At(w + 16));
    facts.ys.push_back(F32At(w + 20));
  }
  return facts;
}

// The start-up window switched off stays off when the program is left from the players screen,
// by its Exit Game and by SIGTERM: start-up marks the settings on disk to show it (in case the
// run ends badly), and the way out must write the choice back.
TEST_F(PlayThroughTest, StartupWindowOffSurvivesLeavingFromThePlayersScreen) {
  auto shown = [&] {
    const std::string bytes = qwtest::ReadWholeFile(m_data + "/Resolution.dat");
    EXPECT_EQ(bytes.size(), size_t(RESOLUTION_FILE_SIZE));
    if (bytes.size() != RESOLUTION_FILE_SIZE) return -1;
    _Resolution r;
    ResolutionReadRecordFromBytes(reinterpret_cast<const unsigned char *>(bytes.data()), &r);
    return int(r.show_dialog);
  };
  for (const char *way : {"ExitGame", "SIGTERM"}) {
    SCOPED_TRACE(way);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(WaitForScreen(std::string("Players-") + way, FirstPlayersScreen));
    if (std::string(way) == "ExitGame")
      ClickOn(Area(Users(), "Exit"));
    else
      ASSERT_EQ(kill(m_pid, SIGTERM), 0);
    ExpectCleanEnd(WaitForExit());
    EXPECT_EQ(shown(), 0);
  }
}

TEST_F(PlayThroughTest, APlayerStartsAGardenSavesItAndResumesItAfterARestart) {
  Places places;
  ASSERT_TRUE(FindPlaces(m_build + "/resources", &places));
  SidebarPre3dInit();
  _Dimension factory_box, gun_box, start_button;
  ASSERT_TRUE(SidebarGetSideButtonPosition(QW_FIRST_FACTORY_TYPE, 1, 0, 0, &factory_box));
  ASSERT_TRUE(SidebarGetSideButtonPosition(0, 1, 0, 0, &gun_box));
  ASSERT_TRUE(SidebarGetBottomButtonPosition(0, 0, 0, 0, &start_button));

  // First start: the splash over the first players screen.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("FirstPlayers", FirstPlayersScreen));

  // New Player, the name typed into its question, Continue: the menu.
  ClickOn(Area(Users(), "New"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("NewPlayer", NewPlayerScreen));
  ClickOn(Area(UserNew(), "Name"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("NameAsked", NameAsked));
  ASSERT_TRUE(m_x.Type(kPlayer)) << m_x.Error();
  ASSERT_TRUE(m_x.Key("Return"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("NameGiven", NewPlayerScreen));
  ClickOn(Area(UserNew(), "Continue"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("MainMenu", MainMenuScreen));
  UserInfo made = ReadPlayerFile();
  EXPECT_STREQ(made.name, kPlayer);
  EXPECT_EQ(made.file_version, MainGetUserFileVersion());

  // New Game, the first garden at Normal (the difficulty button shows only once a harder one is
  // won), the first game's notice, Ok: the garden.
  ClickOn(Area(MainMenu(), "Play"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("Selection", SelectionScreen));
  EXPECT_TRUE(IsNoButton(m_picture, Area(Select(), "Diff0")));
  ClickOn(Area(Select(), "Level0"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("Notice", NoticeScreen));
  ClickOn(Area(Notice(), "Ok"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("Garden", PlayScreen));

  // A gun factory, then a gun beside the road, each bought from the shop column: each shows
  // where it was put, and the cash goes down twice.
  ASSERT_TRUE(m_x.Move(600, 440));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("GardenBeforeBuying", PlayScreen));
  const qwtest::WindowPicture empty = m_picture;
  const _Dimension factory_spot = {float(places.factory_x - 8), float(places.factory_y - 8), 16, 16};
  const _Dimension gun_spot = {float(places.gun_x - 8), float(places.gun_y - 8), 16, 16};
  ClickOn(factory_box);
  ASSERT_TRUE(m_x.Click(places.factory_x, places.factory_y));
  ClickOn(gun_box);
  ASSERT_TRUE(m_x.Click(places.gun_x, places.gun_y));
  ASSERT_TRUE(m_x.Move(600, 440));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("Bought", [&](const qwtest::WindowPicture &p) {
    return PlayScreen(p) && Differing(p, empty, factory_spot) > 60 && Differing(p, empty, gun_spot) > 60 &&
           Differing(p, empty, kCashText) > 0;
  }));
  const qwtest::WindowPicture bought = m_picture;

  // Start: the first wave walks in; the gun kills bugs (the score changes).
  ClickOn(start_button);
  ASSERT_TRUE(m_x.Move(600, 440));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("BugsDied", [&](const qwtest::WindowPicture &p) {
    return PlayScreen(p) && Differing(p, bought, kScoreText) > 0;
  }));

  // Paused from the bottom bar, the garden stands still: what the player sees is kept.
  ClickOn(start_button);
  ASSERT_TRUE(m_x.Move(600, 440));
  qwtest::WindowPicture before;
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("Paused", [&](const qwtest::WindowPicture &p) {
    // The garden under the hints' board and above the pointer.
    const bool still = before.width == p.width && Differing(p, before, {100, 80, 540, 340}) == 0;
    before = p;
    return PlayScreen(p) && still;
  }));
  const qwtest::WindowPicture kept = m_picture;

  // Escape: the pause screen; Save Game & Exit saves and closes the program.
  ASSERT_TRUE(m_x.Key("Escape"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("PauseScreen", PauseScreen));
  ClickOn(Area(Pause(), "Save"));
  ExpectCleanEnd(WaitForExit());
  // One save, one line: the way out does not save the same game again.
  const std::string log = qwtest::ReadWholeFile(m_data + "/LogFile.txt");
  const size_t said = log.find("GAME SAVED TO SLOT 0:0");
  EXPECT_NE(said, std::string::npos);
  EXPECT_EQ(log.find("GAME SAVED TO SLOT 0:0", said + 1), std::string::npos) << log;
  const SavedGameFacts saved = ReadSavedGame(m_data);
  EXPECT_EQ(saved.garden, 0);
  EXPECT_EQ(saved.difficulty, 0);
  // The first wave, or on a loaded machine the second when the first ended before the pause
  // was seen: the program plays on in real time while the test reads its window.
  EXPECT_GE(saved.wave, 0);
  EXPECT_LE(saved.wave, 1);
  EXPECT_EQ(saved.lives, 20);
  EXPECT_GT(saved.score, 0);
  // 500 at the start, 120 the factory, 80 the gun, and what the dead bugs brought.
  EXPECT_GT(saved.cash, 300);
  ASSERT_EQ(saved.weapons, 2);
  EXPECT_EQ(saved.types, (std::vector<int>{QW_FIRST_FACTORY_TYPE, 0}));
  EXPECT_NEAR(saved.xs[1], FieldX(places.gun_x), 0.01f);
  EXPECT_NEAR(saved.ys[1], FieldY(places.gun_y), 0.01f);

  // Second start: the player is offered to continue; Continue, and the left game is offered.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("ReturningPlayers", ReturningPlayersScreen));
  ClickOn(Area(Users(), "Continue"));
  std::vector<_Dimension> answers;
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("ResumeAsked", [&](const qwtest::WindowPicture &p) {
    answers = PopupButtons(p);
    // The menu's Exit button shows behind the popup, dimmed.
    const Shares exit = Measure(p, Area(MainMenu(), "Exit"));
    return answers.size() == 2 && exit.wood > 0.1 && exit.dark > 0.9;
  }));

  // Yes: the garden as it was left, paused on the same wave with the same cash, score, lives
  // and weapons.
  ASSERT_TRUE(m_x.Click(int(answers[0].x + answers[0].width / 2), int(answers[0].y + 6)));
  ASSERT_TRUE(m_x.Move(600, 440));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("Resumed", PlayScreen));
  for (const _Dimension &shown : {kScoreText, kCashText, kLivesText, kWaveBoard, gun_spot, factory_spot})
    EXPECT_EQ(Differing(m_picture, kept, shown), 0) << shown.x << ", " << shown.y;

  // Ctrl+Q: the program ends as it ends for a person, keeping the game as it was.
  ASSERT_TRUE(m_x.Key("q", true));
  ExpectCleanEnd(WaitForExit());
  const SavedGameFacts again = ReadSavedGame(m_data);
  EXPECT_EQ(again.wave, saved.wave);
  EXPECT_EQ(again.cash, saved.cash);
  EXPECT_EQ(again.score, saved.score);
  EXPECT_EQ(again.types, saved.types);
  EXPECT_EQ(again.xs, saved.xs);
  EXPECT_EQ(again.ys, saved.ys);
  UserInfo kept_player = ReadPlayerFile();
  EXPECT_STREQ(kept_player.name, kPlayer);
  EXPECT_EQ(kept_player.id, made.id);

  ExpectNothingWrittenElsewhere();
}

// The same road by keyboard alone, with the pointer left wherever the keys put it: Tab moves
// the focus (and the pointer) along each screen's widgets in the order they were made, Space
// and Return press, Escape goes back.
TEST_F(PlayThroughTest, APlayerGetsIntoAGardenByKeyboardAlone) {
  const std::string player = "Wren2";
  // Tab so many times, press a key, and wait for the screen that follows.
  auto step = [&](int tabs, const char *press, const char *shot,
                  const std::function<bool(const qwtest::WindowPicture &)> &screen) {
    for (int i = 0; i < tabs; i++) ASSERT_TRUE(m_x.Key("Tab"));
    ASSERT_TRUE(m_x.Key(press)) << press;
    ASSERT_NO_FATAL_FAILURE(WaitForScreen(shot, screen));
  };
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("KeysFirstPlayers", FirstPlayersScreen));

  // New Player (Load Player is off without players), then the name's question opened from User
  // Name, made first and so reached last (Back, Country, Continue, User Name): the Space that
  // opened it is not part of the name, Return takes it.
  ASSERT_NO_FATAL_FAILURE(step(1, "space", "KeysNewPlayer", NewPlayerScreen));
  ASSERT_NO_FATAL_FAILURE(step(4, "space", "KeysNameAsked", NameAsked));
  ASSERT_TRUE(m_x.Type(player)) << m_x.Error();
  ASSERT_NO_FATAL_FAILURE(step(0, "Return", "KeysNameGiven", NewPlayerScreen));

  // From User Name the next stop is Back, whose place on the players screen Exit Game takes. A
  // Space typed there presses nothing until the focus is moved.
  ASSERT_NO_FATAL_FAILURE(step(1, "space", "KeysBack", FirstPlayersScreen));
  ASSERT_TRUE(m_x.Key("space"));
  ASSERT_NO_FATAL_FAILURE(WaitForFrames(m_x.FramesShown(), kFramesForNothing));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("KeysSpaceKept", FirstPlayersScreen));

  // New Player again keeps the name; Continue is the third stop (Back, Country, Continue).
  ASSERT_NO_FATAL_FAILURE(step(1, "space", "KeysNewPlayerAgain", NewPlayerScreen));
  ASSERT_NO_FATAL_FAILURE(step(3, "space", "KeysMainMenu", MainMenuScreen));
  EXPECT_STREQ(ReadPlayerFile(player).name, player.c_str());

  // New Game; the gardens by Tab, the first one picked with Return; the notice started with
  // Return.
  ASSERT_NO_FATAL_FAILURE(step(1, "space", "KeysSelection", SelectionScreen));
  ASSERT_TRUE(m_x.Key("Tab"));
  ASSERT_NO_FATAL_FAILURE(step(0, "Return", "KeysNotice", NoticeScreen));
  ASSERT_NO_FATAL_FAILURE(step(0, "Return", "KeysGarden", PlayScreen));

  // Escape opens the pause screen and Escape there resumes play.
  ASSERT_NO_FATAL_FAILURE(step(0, "Escape", "KeysPause", PauseScreen));
  ASSERT_NO_FATAL_FAILURE(step(0, "Escape", "KeysResumed", PlayScreen));

  ASSERT_TRUE(m_x.Key("q", true));
  ExpectCleanEnd(WaitForExit());
  const SavedGameFacts saved = ReadSavedGame(m_data, player);
  EXPECT_EQ(saved.garden, 0);
  EXPECT_EQ(saved.weapons, 0);
  ExpectNothingWrittenElsewhere();
}

// By keyboard alone a press acts once, on the screen it was pressed on, and nothing is lost to
// a key: Return on User Name asks for the name and waits, Return on the field left empty keeps
// the name, Return on Cancel cancels; Return on Quit Game asks before the game ends, and on the
// logo asks before going online. The pointer is set down once on an empty spot where a count of
// Tabs must start from nothing.
TEST_F(PlayThroughTest, AKeyboardPlayerIsAskedBeforeAGameOrANameIsLost) {
  const std::string player = "Wren3";
  auto tabs = [&](int n) {
    for (int i = 0; i < n; i++) ASSERT_TRUE(m_x.Key("Tab"));
  };
  auto key = [&](const char *name) { ASSERT_TRUE(m_x.Key(name)) << name; };
  // A question over a dimmed screen: two lit answers side by side, the screen's button behind
  // them dimmed.
  auto asked_over = [](const _Dimension &behind) {
    return [behind](const qwtest::WindowPicture &p) {
      const Shares b = Measure(p, behind);
      return PopupButtons(p).size() == 2 && b.wood > 0.1 && b.dark > 0.9;
    };
  };
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskFirstPlayers", FirstPlayersScreen));
  tabs(1);
  key("space");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNewPlayer", NewPlayerScreen));

  // Return on User Name asks, and the same press does not answer: the question stays.
  tabs(4);
  key("Return");
  const long name_asked = m_x.FramesShown();
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameAsked", NameAsked));
  ASSERT_NO_FATAL_FAILURE(WaitForFrames(name_asked, kFramesForNothing));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameStillAsked", NameAsked));
  ASSERT_TRUE(m_x.Type(player)) << m_x.Error();
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameGiven", NewPlayerScreen));
  // Round the four stops to User Name again (the pointer left there by the question presses
  // nothing until it moves or Tab is pressed): Return, then Return on the empty field is refused
  // as an invalid name (a notice, the name emptied), so the name is given once more.
  tabs(4);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameAgain", NameAsked));
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameRefused", NewPlayerScreen));
  tabs(4);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameOnceMore", NameAsked));
  ASSERT_TRUE(m_x.Type(player)) << m_x.Error();
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameGivenAgain", NewPlayerScreen));
  // Another name typed, then Cancel by Tab (the field, Ok, Cancel) and Return.
  tabs(4);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameThirdTime", NameAsked));
  ASSERT_TRUE(m_x.Type("Zed")) << m_x.Error();
  tabs(2);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNameCancelled", NewPlayerScreen));
  // Continue: the third stop from nothing (Back, Country, Continue) makes the player by the
  // name typed first.
  ASSERT_TRUE(m_x.Move(20, 400));
  tabs(3);
  key("space");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskMainMenu", MainMenuScreen));
  EXPECT_STREQ(ReadPlayerFile(player).name, player.c_str());

  // Into the first garden as in the keyboard play above, and Escape to the pause screen.
  tabs(1);
  key("space");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskSelection", SelectionScreen));
  tabs(1);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskNotice", NoticeScreen));
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskGarden", PlayScreen));
  key("Escape");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskPause", PauseScreen));

  // Quit Game, the sixth stop from nothing, asks; the question stays; Cancel (Ok, Cancel) by
  // Tab and Return keeps the game.
  const auto quit_asked = asked_over(Area(Pause(), "Resume"));
  ASSERT_TRUE(m_x.Move(40, 240));
  tabs(6);
  key("Return");
  const long quit_pressed = m_x.FramesShown();
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskQuitAsked", quit_asked));
  ASSERT_NO_FATAL_FAILURE(WaitForFrames(quit_pressed, kFramesForNothing));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskQuitStillAsked", quit_asked));
  tabs(2);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskQuitCancelled", PauseScreen));

  // Return with the pointer on the logo asks before going online; Escape says no.
  ASSERT_TRUE(m_x.Move(m_picture.width / 2, int(42 * m_picture.height / kHeight)));
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskOnlineAsked", quit_asked));
  key("Escape");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskOnlineDeclined", PauseScreen));

  // Quit Game answered with a second Return: the menu.
  ASSERT_TRUE(m_x.Move(40, 240));
  tabs(6);
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskQuitAskedAgain", quit_asked));
  key("Return");
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("AskQuitAnswered", MainMenuScreen));

  ASSERT_TRUE(m_x.Key("q", true));
  ExpectCleanEnd(WaitForExit());
  EXPECT_STREQ(ReadPlayerFile(player).name, player.c_str());
  ExpectNothingWrittenElsewhere();
}

}  // namespace
