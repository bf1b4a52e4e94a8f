// The built program played from outside, as a person plays it: started as its own process with
// a fresh HOME on its own X server, clicked and typed at through XTest, and watched through its
// window's pixels, its log, the files it leaves and its exit code. Where a widget is comes from
// the screens' layout tables (design units, 640 by 480, here also window pixels); which screen
// shows is told by the widgets' pixels. With QW_SCREENSHOT_DIR set, each step's picture is
// saved there; a failed wait always saves the last picture in the build folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Engine/EngEncryption.h"
#include "Engine/Resolution.h"
#include "game/Main.h"
#include "players/UserInfo.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/MainCollectionController.h"
#include "screens/layouts/UserNewCollectionController.h"
#include "screens/layouts/UsersCollectionController.h"
#include "tests/game/XTestDriver.h"
#include "tests/support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640, kHeight = 480;
constexpr const char *kPlayer = "Wren Ash";
constexpr const char *kDataFolder = "home/.local/share/Tallowmere/Quarrelwick";
// Long enough for the sanitizer build on a busy machine; a healthy run waits far less.
constexpr std::chrono::seconds kStepDeadline(30);

// Where a widget of a screen's table sits, in design units.
_Dimension Area(const ScreenLayout &layout, const char *widget) {
  for (int w = 0; w < layout.num_windows; w++) {
    const ScreenLayoutWindow &window = layout.windows[w];
    for (int i = 0; i < window.num_widgets; i++)
      if (strcmp(window.widgets[i].id, widget) == 0) {
        _Dimension a = window.widget_areas[i][ENG_LAYOUT_DESKTOP];
        a.x += window.area[ENG_LAYOUT_DESKTOP].x;
        a.y += window.area[ENG_LAYOUT_DESKTOP].y;
        return a;
      }
  }
  ADD_FAILURE() << "no widget " << widget << " in " << layout.collection;
  return {0, 0, 1, 1};
}

// What share of a rectangle's pixels look like what: the wooden buttons (a saturated brown,
// lit orange under the pointer, darker under a popup), the lawn, the splash's red roof, and
// white text.
struct Shares {
  double wood = 0, grass = 0, roof = 0, white = 0;
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
    }
  if (n) {
    s.wood /= n;
    s.grass /= n;
    s.roof /= n;
    s.white /= n;
  }
  return s;
}

bool IsButton(const qwtest::WindowPicture &p, const _Dimension &a) { return Measure(p, a).wood >= 0.5; }
bool IsNoButton(const qwtest::WindowPicture &p, const _Dimension &a) { return Measure(p, a).wood <= 0.15; }

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
    const char *binary = getenv("QW_TEST_BINARY_DIR");
    m_build = binary ? binary : ".";
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
      for (const char *own : {"HOME=", "XDG_", "TMPDIR=", "QUARRELWICK_", "ALSOFT_DRIVERS=", "ASAN_OPTIONS=", "LSAN_OPTIONS="})
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
    env.push_back("LSAN_OPTIONS=suppressions=" + qwtest::SourceDir() + "/tests/support/lsan-suppressions.txt");
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
  void WaitFor(const std::string &what, const std::function<bool()> &condition) {
    const auto deadline = Clock::now() + kStepDeadline;
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
        FAIL() << "the screen \"" << name << "\" did not show (last picture: " << shot << ")";
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
  // missing: that is reported and accepted.
  std::string FaultLines() {
    std::istringstream log(qwtest::ReadWholeFile(m_data + "/LogFile.txt"));
    std::string line, faults;
    while (std::getline(log, line)) {
      bool fault = false;
      for (const char *tag : {"<WARNING>", "<ERROR>", "<EXIT>", "<POPUP>"})
        if (line.find(tag) != std::string::npos) fault = true;
      if (fault && line.find("IORegisterForSystemPower failed") != std::string::npos) fault = false;
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
  UserInfo ReadPlayerFile() {
    UserInfo info;
    memset(&info, 0, sizeof(info));
    EngEncryptionInit("QX_SEALING_KEY");
    unsigned char bytes[USER_INFO_SIZE];
    const std::string path = m_data + "/Users/" + kPlayer + ".usr";
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

// The name's question covers the name's box, over the dimmed screen.
bool NameAsked(const qwtest::WindowPicture &p) {
  return Measure(p, Area(UserNew(), "Name")).wood < 0.35 && IsButton(p, Area(UserNew(), "Continue"));
}

bool MainMenuScreen(const qwtest::WindowPicture &p) {
  return IsButton(p, Area(MainMenu(), "Play")) && IsButton(p, Area(MainMenu(), "Exit")) &&
         IsButton(p, Area(MainMenu(), "User")) && IsNoButton(p, Area(Users(), "New")) &&
         Measure(p, Area(MainMenu(), "Welcome")).white > 0.01;
}

TEST_F(PlayThroughTest, ANewPlayerIsMadeAndComesBackAfterARestart) {
  // First start: the splash over the first players screen.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("FirstPlayers", FirstPlayersScreen));

  // New Player, the name typed into its question, Continue.
  ClickOn(Area(Users(), "New"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("NewPlayer", NewPlayerScreen));
  ClickOn(Area(UserNew(), "Name"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("NameAsked", NameAsked));
  ASSERT_TRUE(m_x.Type(kPlayer)) << m_x.Error();
  ASSERT_TRUE(m_x.Key("Return"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("NameGiven", NewPlayerScreen));
  ClickOn(Area(UserNew(), "Continue"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("MainMenu", MainMenuScreen));

  // The player's file holds the name; Ctrl+Q ends the program as a person ends it.
  UserInfo made = ReadPlayerFile();
  EXPECT_STREQ(made.name, kPlayer);
  EXPECT_EQ(made.file_version, MainGetUserFileVersion());
  ASSERT_TRUE(m_x.Key("q", true));
  ExpectCleanEnd(WaitForExit());

  // Second start: the player is offered to continue, and Continue leads to the menu.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("ReturningPlayers", ReturningPlayersScreen));
  ClickOn(Area(Users(), "Continue"));
  ASSERT_NO_FATAL_FAILURE(WaitForScreen("MainMenuAgain", MainMenuScreen));
  ASSERT_TRUE(m_x.Key("q", true));
  ExpectCleanEnd(WaitForExit());
  UserInfo kept = ReadPlayerFile();
  EXPECT_STREQ(kept.name, kPlayer);
  EXPECT_EQ(kept.id, made.id);

  ExpectNothingWrittenElsewhere();
}

}  // namespace
