// Measures the real program from outside, on an X display (Xvfb with Mesa's software renderer
// will do), beside the baseline program BareWindow measured the same way in the same run:
//   - start to first frame: from fork to the first drawn pixels in the middle of the screen
//     (polled every millisecond);
//   - idle CPU: user and system time over a stretch with the program left alone on a screen, in
//     % of one core, for each still screen: the players screen with its splash, the main menu,
//     a game waiting for START and a paused game (reached by clicks and keys sent with XTest);
//   - resident memory on the main menu and in a game.
// Each figure is also printed as a ratio to the bare window's, one per line under a fixed name
// (first_frame_ratio=, idle_ratio_<screen>=, rss_menu_ratio=, rss_game_ratio=). The rasteriser's
// threads are fixed (LP_NUM_THREADS, 1 unless set) so that the machine's other load does not
// move the numbers. The game gets a temporary HOME holding a player who turned the start-up
// display dialog off, loaded at start (or, for the players screen, not); the first start in
// the empty home (with that dialog, answered at once) is shown too. Usage:
//   ProgramProbe <quarrelwick> <BareWindow> [runs] [idle seconds] [screenshot folder]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
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

// One thing done to the program once it shows its first frame: a click or a key (x, y in the
// 640 by 480 design units of a full-screen window), then a wait.
struct Step {
  enum Kind { kClick, kKey } kind;
  float x, y;
  KeySym key;
  double wait;
};

void DoStep(ScreenProbe *screen, const Step &step) {
  Display *d = screen->display;
  if (step.kind == Step::kClick) {
    XWindowAttributes a;
    XGetWindowAttributes(d, screen->root, &a);
    XTestFakeMotionEvent(d, -1, int(step.x * float(a.width) / 640.0f), int(step.y * float(a.height) / 480.0f),
                         CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
  } else {
    const KeyCode code = XKeysymToKeycode(d, step.key);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    XTestFakeKeyEvent(d, code, False, CurrentTime);
  }
  XFlush(d);
  std::this_thread::sleep_for(std::chrono::duration<double>(step.wait));
}

// The resume game a measured game left behind would be offered at the next start.
void RemoveSavedGames(const std::string &home) {
  std::error_code ignored;
  for (auto it = std::filesystem::recursive_directory_iterator(home, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
    if (it->path().filename().string().find("_SavedGame") != std::string::npos)
      std::filesystem::remove(it->path(), ignored);
}

Figures Measure(ScreenProbe *screen, const std::string &exe, const std::string &home, double settle, double idle,
                const std::string &screenshot, const std::vector<Step> &steps = {}) {
  Figures f;
  RemoveSavedGames(home);
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
  if (!steps.empty()) std::this_thread::sleep_for(std::chrono::seconds(2));
  for (const Step &step : steps) DoStep(screen, step);
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

// A player who is loaded at start ("always load") or not, remembered in the display settings, made
// the way the game makes them; runs in a child so the probe keeps no module state.
bool PreparePlayer(const std::string &home, bool always_load) {
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
    user.GetInfo()->options.always_load = always_load ? 1 : 0;
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

// A screen measured left alone: the home it starts in, what is done to reach it, how long it is
// left to settle (still screens rest after three seconds without input).
struct StillScreen {
  const char *name;
  bool always_load;
  std::vector<Step> steps;
};

// Every screen left alone with what moves on it by itself moving (the splash, the menus' title,
// an edit's cursor, the tutorial's highlight), against the bare window cleared and swapped every
// frame: `ProgramProbe --resting <quarrelwick> <BareWindow> [runs] [idle seconds] [folder]
// [screens]` (screens: names joined by commas; all when left out). Lines
// resting_cpu_ratio_<screen>= give each ratio; the goal is 2 at most.
int RestingScreensMain(int argc, char **argv, ScreenProbe *screen) {
  const std::string game = std::filesystem::absolute(argv[1]).string(),
                    bare = std::filesystem::absolute(argv[2]).string();
  const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 3;
  const double idle = argc > 4 ? std::max(1.0, atof(argv[4])) : 8.0;
  const std::string shots = argc > 5 ? argv[5] : "";
  const std::string only = argc > 6 ? "," + std::string(argv[6]) + "," : "";
  std::string homes[2];
  for (std::string &home : homes) {
    char home_template[] = "/tmp/qw-probe-XXXXXX";
    const char *made = mkdtemp(home_template);
    if (!made) return 1;
    home = made;
  }
  Measure(screen, game, homes[0], 1.0, 1.0, "");
  Measure(screen, game, homes[1], 1.0, 1.0, "");
  if (!PreparePlayer(homes[0], true) || !PreparePlayer(homes[1], false)) return 1;
  // Clicks in design units on the players screen, the main menu and the play field.
  auto click = [](float x, float y, double wait = 2.0) { return Step{Step::kClick, x, y, 0, wait}; };
  const Step new_game = click(320, 240), first_garden = click(235, 211), notice_ok = click(320, 312, 1.0);
  const StillScreen screens[] = {
      {"players", false, {}},
      {"user_new", false, {click(74, 447)}},
      {"user_load", false, {click(74, 402)}},
      {"menu", true, {}},
      {"select", true, {new_game}},
      {"scores", true, {click(234, 295)}},
      {"help", true, {click(404, 295)}},
      {"options", true, {click(234, 335)}},
      {"sounds", true, {click(404, 335)}},
      {"about", true, {click(404, 375)}},
      {"gameads", true, {click(234, 415)}},
      {"tutorial", true, {new_game, first_garden, notice_ok}},
      {"game_paused",
       true,
       {new_game, first_garden, notice_ok, {Step::kKey, 0, 0, XK_space, 1.0}, {Step::kKey, 0, 0, XK_space, 0.5}}},
      {"pause_menu", true, {new_game, first_garden, notice_ok, {Step::kKey, 0, 0, XK_Escape, 1.0}}},
      {"resumed",
       true,
       {new_game, first_garden, notice_ok, {Step::kKey, 0, 0, XK_space, 1.0}, {Step::kKey, 0, 0, XK_space, 0.5},
        {Step::kKey, 0, 0, XK_Escape, 1.5}, click(320, 137)}},
  };
  const size_t count = sizeof(screens) / sizeof(screens[0]);
  auto chosen = [&](size_t k) {
    return only.empty() || only.find("," + std::string(screens[k].name) + ",") != only.npos;
  };
  std::vector<double> cpu_bare;
  std::vector<std::vector<double>> cpu(count);
  int bad_exit = 0;
  // The bare window before and after each round's screens: the machine's load moves the most.
  auto measure_bare = [&] {
    Figures b = Measure(screen, bare, homes[0], 1.0, idle, "");
    cpu_bare.push_back(b.idle_cpu_percent);
    bad_exit += b.exit_code != 0;
  };
  for (int r = 0; r < runs; r++) {
    measure_bare();
    for (size_t k = 0; k < count; k++) {
      if (!chosen(k)) continue;
      const std::string shot = shots.empty() || r != runs - 1 ? "" : shots + "/resting_" + screens[k].name + ".ppm";
      Figures f = Measure(screen, game, homes[screens[k].always_load ? 0 : 1], 4.0, idle, shot, screens[k].steps);
      cpu[k].push_back(f.idle_cpu_percent);
      bad_exit += f.exit_code != 0;
    }
    measure_bare();
  }
  printf("resting screens, medians of %d runs (idle over %.0f s, LP_NUM_THREADS=%s): %% of a core\n", runs, idle,
         getenv("LP_NUM_THREADS"));
  printf("  %-40s %12.1f\n", "bare window, cleared and swapped 60/s", Median(cpu_bare));
  for (size_t k = 0; k < count; k++)
    if (chosen(k)) printf("  %-40s %12.1f\n", screens[k].name, Median(cpu[k]));
  bool ok = Median(cpu_bare) > 0;
  for (size_t k = 0; k < count; k++) {
    if (!chosen(k)) continue;
    const double ratio = Median(cpu_bare) > 0 ? Median(cpu[k]) / Median(cpu_bare) : -1.0;
    printf("resting_cpu_ratio_%s=%.2f\n", screens[k].name, ratio);
    ok = ok && ratio > 0 && ratio <= 2.0;
  }
  if (bad_exit) printf("  %d runs did not end with exit code 0 on SIGTERM\n", bad_exit);
  for (const std::string &home : homes) {
    std::error_code ignored;
    if (!bad_exit) std::filesystem::remove_all(home, ignored);
  }
  printf("resting screens goal (each ratio <= 2): %s\n", ok ? "met" : "MISSED");
  return ok ? 0 : 2;
}

}  // namespace

int main(int argc, char **argv) {
  const bool resting = argc > 1 && strcmp(argv[1], "--resting") == 0;
  if (resting) {
    argv[1] = argv[0];
    argc--;
    argv++;
  }
  if (argc < 3) {
    fprintf(stderr, "usage: %s <quarrelwick> <BareWindow> [runs] [idle seconds] [screenshot folder]\n", argv[0]);
    return 1;
  }
  // Absolute, since the programs start in another folder.
  const std::string game = std::filesystem::absolute(argv[1]).string(), bare = std::filesystem::absolute(argv[2]).string();
  const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 3;
  const double idle = argc > 4 ? std::max(1.0, atof(argv[4])) : 10.0;
  const std::string shots = argc > 5 ? argv[5] : "";
  setenv("LP_NUM_THREADS", getenv("LP_NUM_THREADS") ? getenv("LP_NUM_THREADS") : "1", 1);
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
  if (resting) return RestingScreensMain(argc, argv, &screen);

  std::string homes[2];
  for (int i = 0; i < 2; i++) {
    char home_template[] = "/tmp/qw-probe-XXXXXX";
    const char *made = mkdtemp(home_template);
    if (!made) return 1;
    homes[i] = made;
  }
  // A first start in an empty home makes the program's own settings; the player joins them.
  Figures first = Measure(&screen, game, homes[0], 1.0, 1.0, "");
  Measure(&screen, game, homes[1], 1.0, 1.0, "");
  if (!PreparePlayer(homes[0], true) || !PreparePlayer(homes[1], false)) {
    fprintf(stderr, "could not make the players in %s and %s\n", homes[0].c_str(), homes[1].c_str());
    return 1;
  }
  // New Game on the main menu, the first garden, the notice's Ok: a game waiting for START; the
  // space bar starts it and pauses it.
  const std::vector<Step> new_game = {{Step::kClick, 320.0f, 240.0f, 0, 2.0},
                                      {Step::kClick, 235.0f, 211.0f, 0, 2.0},
                                      {Step::kClick, 320.0f, 312.0f, 0, 1.0}};
  std::vector<Step> paused = new_game;
  paused.push_back({Step::kKey, 0, 0, XK_space, 1.0});
  paused.push_back({Step::kKey, 0, 0, XK_space, 0.5});
  const StillScreen screens[] = {{"players", false, {}}, {"menu", true, {}}, {"game_start", true, new_game},
                            {"game_paused", true, paused}};
  const int kScreens = int(sizeof(screens) / sizeof(screens[0]));
  std::vector<double> start[2], cpu_bare, rss_bare;
  std::vector<std::vector<double>> cpu{size_t(kScreens)}, rss{size_t(kScreens)};
  int bad_exit = 0;
  for (int r = 0; r < runs; r++) {
    Figures b = Measure(&screen, bare, homes[0], 1.0, idle, "");
    start[0].push_back(b.first_frame_s);
    cpu_bare.push_back(b.idle_cpu_percent);
    rss_bare.push_back(b.resident_mb);
    if (b.exit_code != 0) bad_exit++;
    for (int k = 0; k < kScreens; k++) {
      const StillScreen &s = screens[size_t(k)];
      const std::string shot = shots.empty() || r != runs - 1 ? "" : shots + "/" + s.name + ".ppm";
      // Settled past the three seconds after the last input, with a margin.
      Figures f = Measure(&screen, game, homes[s.always_load ? 0 : 1], 4.0, idle, shot, s.steps);
      if (k == 1) start[1].push_back(f.first_frame_s);
      cpu[size_t(k)].push_back(f.idle_cpu_percent);
      rss[size_t(k)].push_back(f.resident_mb);
      if (f.exit_code != 0) bad_exit++;
    }
  }
  printf("medians of %d runs (idle over %.0f s, LP_NUM_THREADS=%s)  %12s %12s\n", runs, idle,
         getenv("LP_NUM_THREADS"), "BareWindow", "quarrelwick");
  printf("  %-40s %12.3f %12.3f\n", "start to first frame (s)", Median(start[0]), Median(start[1]));
  printf("  %-40s %12s %12.3f\n", "  first start, with the dialog (s)", "", first.first_frame_s);
  for (int k = 0; k < kScreens; k++)
    printf("  %-40s %12.1f %12.1f\n", (std::string("idle CPU, ") + screens[size_t(k)].name + " (% core)").c_str(),
           Median(cpu_bare), Median(cpu[size_t(k)]));
  printf("  %-40s %12.1f %12.1f\n", "resident memory, menu (MB)", Median(rss_bare), Median(rss[1]));
  printf("  %-40s %12.1f %12.1f\n", "resident memory, game (MB)", Median(rss_bare), Median(rss[2]));
  auto ratio = [](double game_figure, double bare_figure) { return bare_figure > 0 ? game_figure / bare_figure : -1.0; };
  const double first_frame_ratio = ratio(Median(start[1]), Median(start[0]));
  printf("first_frame_ratio=%.2f\n", first_frame_ratio);
  bool ok = first_frame_ratio > 0 && first_frame_ratio <= 4.0;
  for (int k = 0; k < kScreens; k++) {
    const double r = ratio(Median(cpu[size_t(k)]), Median(cpu_bare));
    printf("idle_ratio_%s=%.2f\n", screens[size_t(k)].name, r);
    ok = ok && r > 0 && r <= 1.5;
  }
  const double rss_menu = ratio(Median(rss[1]), Median(rss_bare)), rss_game = ratio(Median(rss[2]), Median(rss_bare));
  printf("rss_menu_ratio=%.2f\nrss_game_ratio=%.2f\n", rss_menu, rss_game);
  ok = ok && rss_menu > 0 && rss_menu <= 1.3 && rss_game > 0 && rss_game <= 1.5;
  if (bad_exit || first.exit_code != 0) printf("  %d runs did not end with exit code 0 on SIGTERM\n", bad_exit);
  // The temporary homes are left for a look when something went wrong.
  for (const std::string &home : homes) {
    if (!bad_exit) {
      std::error_code ignored;
      std::filesystem::remove_all(home, ignored);
    } else {
      printf("  home kept: %s\n", home.c_str());
    }
  }
  printf("goals (ratios: first frame <= 4, idle <= 1.5, memory <= 1.3 on the menu and 1.5 in a game): %s\n",
         ok ? "met" : "MISSED");
  return ok ? 0 : 2;
}
