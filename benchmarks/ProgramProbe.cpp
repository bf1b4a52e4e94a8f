// Measures the real program from outside, on an X display (Xvfb with Mesa's software renderer
// will do), beside the baseline program BareWindow measured the same way in the same run:
//   - start to first frame: from fork to the first drawn pixels in the middle of the screen
//     (polled every millisecond); goal at most 0.3 s for the game's splash;
//   - idle CPU: user and system time over a stretch with the program left alone on the main
//     menu, in % of one core; goal at most 15%;
//   - resident memory on the main menu.
// The game gets a temporary HOME holding a player who is loaded at start and who turned the
// start-up display dialog off, so it goes through the splash straight to the main menu; the
// first start in the empty home (with that dialog, answered at once) is shown too. Usage:
//   ProgramProbe <quarrelwick> <BareWindow> [runs] [idle seconds] [screenshot.ppm]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "Engine/EngEncryption.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/Resolution.h"
#include "game/Main.h"
#include "online/Updater.h"
#include "players/UserClass.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double first_frame_s = -1, idle_cpu_percent = -1, resident_mb = -1;
  int exit_code = -1;
};

struct ScreenProbe {
  Display *display = nullptr;
  Window root = 0;
  int x = 0, y = 0;
  static constexpr int kSide = 64;
  std::vector<unsigned long> initial;

  std::vector<unsigned long> Sample() {
    std::vector<unsigned long> pixels;
    XImage *image = XGetImage(display, root, x, y, kSide, kSide, AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int j = 0; j < kSide; j += 4)
      for (int i = 0; i < kSide; i += 4) pixels.push_back(XGetPixel(image, i, j) & 0xFFFFFF);
    XDestroyImage(image);
    return pixels;
  }
  // Something other than black or what was there before the program started.
  bool Drawn() {
    std::vector<unsigned long> now = Sample();
    for (size_t k = 0; k < now.size() && k < initial.size(); k++)
      if (now[k] != 0 && now[k] != initial[k]) return true;
    return false;
  }
  void SaveAsPpm(const std::string &path) {
    XWindowAttributes a;
    XGetWindowAttributes(display, root, &a);
    XImage *image = XGetImage(display, root, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image) return;
    FILE *f = fopen(path.c_str(), "wb");
    if (f) {
      fprintf(f, "P6\n%d %d\n255\n", a.width, a.height);
      for (int j = 0; j < a.height; j++)
        for (int i = 0; i < a.width; i++) {
          unsigned long p = XGetPixel(image, i, j);
          unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
          fwrite(rgb, 1, 3, f);
        }
      fclose(f);
    }
    XDestroyImage(image);
  }
};

double CpuSeconds(pid_t pid) {
  std::string path = "/proc/" + std::to_string(pid) + "/stat";
  FILE *f = fopen(path.c_str(), "r");
  if (!f) return -1;
  char line[2048];
  const bool got = fgets(line, sizeof(line), f) != nullptr;
  fclose(f);
  if (!got) return -1;
  // Fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
  const char *p = strrchr(line, ')');
  if (!p) return -1;
  unsigned long utime = 0, stime = 0;
  if (sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return -1;
  return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

double ResidentMB(pid_t pid) {
  std::string path = "/proc/" + std::to_string(pid) + "/status";
  FILE *f = fopen(path.c_str(), "r");
  if (!f) return -1;
  char line[256];
  double kb = -1;
  while (fgets(line, sizeof(line), f))
    if (strncmp(line, "VmRSS:", 6) == 0) kb = atof(line + 6);
  fclose(f);
  return kb / 1024.0;
}

int WaitForExit(pid_t pid, double seconds) {
  const auto until = Clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (Clock::now() < until) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

void SetHome(const std::string &home) {
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
}

Figures Measure(ScreenProbe *screen, const std::string &exe, const std::string &home, double settle, double idle,
                const std::string &screenshot) {
  Figures f;
  // The last program's window must be gone first.
  for (int i = 0; i < 500 && screen->Drawn(); i++) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const auto start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    SetHome(home);
    if (chdir("/") != 0) _exit(126);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execl(exe.c_str(), exe.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  while (Clock::now() - start < std::chrono::seconds(30)) {
    if (screen->Drawn()) {
      f.first_frame_s = std::chrono::duration<double>(Clock::now() - start).count();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::this_thread::sleep_for(std::chrono::duration<double>(settle));
  const double cpu_before = CpuSeconds(pid);
  const auto idle_start = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(idle));
  const double cpu_after = CpuSeconds(pid);
  const double wall = std::chrono::duration<double>(Clock::now() - idle_start).count();
  if (cpu_before >= 0 && cpu_after >= 0) f.idle_cpu_percent = 100.0 * (cpu_after - cpu_before) / wall;
  f.resident_mb = ResidentMB(pid);
  if (!screenshot.empty()) screen->SaveAsPpm(screenshot);
  kill(pid, SIGTERM);
  f.exit_code = WaitForExit(pid, 30.0);
  return f;
}

// A player who is loaded at start ("always load"), remembered in the display settings, made
// the way the game makes them; runs in a child so the probe keeps no module state.
bool PreparePlayer(const std::string &home) {
  pid_t pid = fork();
  if (pid == 0) {
    SetHome(home);
    EngEncryptionInit("QX_SEALING_KEY");
    if (!PrefFolderSetup("Quarrelwick", 1, "LogFile.txt", 1)) _exit(1);
    ResolutionSetupModule(UPDATER_PROGRAM_QUARRELWICK, MainGetGameVersion(), MainGetResFileVersion(),
                          MainGetResolutionLinkCB, 0, 1, 0, 0, 0, "Resolution", "License", "License.txt", "Startup",
                          "ResTitle.jpg");
    ResolutionLoadSettings();
    UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
    if (!user.CreateNewUser("Bench", "GB", 1)) _exit(2);
    user.GetInfo()->options.always_load = 1;
    // A player who turned the start-up display dialog off: the measured start is the game's.
    user.GetInfo()->options.show_startup_window = 0;
    resolution.show_dialog = 0;
    _exit(user.Save(1) ? 0 : 3);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s <quarrelwick> <BareWindow> [runs] [idle seconds] [screenshot.ppm]\n", argv[0]);
    return 1;
  }
  // Absolute, since the programs start in another folder.
  const std::string game = std::filesystem::absolute(argv[1]).string(), bare = std::filesystem::absolute(argv[2]).string();
  const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 3;
  const double idle = argc > 4 ? std::max(1.0, atof(argv[4])) : 10.0;
  const std::string screenshot = argc > 5 ? argv[5] : "";
  ScreenProbe screen;
  screen.display = XOpenDisplay(nullptr);
  if (!screen.display) {
    fprintf(stderr, "no X display (set DISPLAY)\n");
    return 1;
  }
  screen.root = DefaultRootWindow(screen.display);
  XWindowAttributes a;
  XGetWindowAttributes(screen.display, screen.root, &a);
  screen.x = a.width / 2 - ScreenProbe::kSide / 2;
  screen.y = a.height / 2 - ScreenProbe::kSide / 2;
  screen.initial = screen.Sample();

  char home_template[] = "/tmp/qw-probe-XXXXXX";
  const char *made = mkdtemp(home_template);
  if (!made) return 1;
  const std::string home = made;
  // A first start in the empty home makes the program's own settings; the player joins them.
  Figures first = Measure(&screen, game, home, 1.0, 1.0, "");
  if (!PreparePlayer(home)) {
    fprintf(stderr, "could not make the player in %s\n", home.c_str());
    return 1;
  }
  std::vector<double> start[2], cpu[2], rss[2];
  int bad_exit = 0;
  for (int r = 0; r < runs; r++) {
    for (int which = 0; which < 2; which++) {
      const bool is_game = which == 1;
      Figures f = Measure(&screen, is_game ? game : bare, home, is_game ? 4.0 : 1.0, idle,
                          is_game && r == runs - 1 ? screenshot : "");
      start[which].push_back(f.first_frame_s);
      cpu[which].push_back(f.idle_cpu_percent);
      rss[which].push_back(f.resident_mb);
      if (f.exit_code != 0) bad_exit++;
    }
  }
  printf("medians of %d runs (idle over %.0f s)    %12s %12s %10s\n", runs, idle, "BareWindow", "quarrelwick", "goal");
  printf("  %-36s %12.3f %12.3f %10s\n", "start to first frame (s)", Median(start[0]), Median(start[1]), "<= 0.3");
  printf("  %-36s %12s %12.3f\n", "  first start, with the dialog (s)", "", first.first_frame_s);
  printf("  %-36s %12.1f %12.1f %10s\n", "idle CPU on the main menu (% core)", Median(cpu[0]), Median(cpu[1]),
         "<= 15");
  printf("  %-36s %12.1f %12.1f\n", "resident memory (MB)", Median(rss[0]), Median(rss[1]));
  if (bad_exit || first.exit_code != 0) printf("  %d runs did not end with exit code 0 on SIGTERM\n", bad_exit);
  std::string remove_home = home;
  // The temporary home is left for a look when something went wrong.
  if (!bad_exit) {
    std::error_code ignored;
    std::filesystem::remove_all(remove_home, ignored);
  } else {
    printf("  home kept: %s\n", home.c_str());
  }
  const bool ok = Median(start[1]) >= 0 && Median(start[1]) <= 0.3 && Median(cpu[1]) >= 0 && Median(cpu[1]) <= 15.0;
  printf("%s\n", ok ? "goals met" : "GOAL MISSED");
  return ok ? 0 : 2;
}
