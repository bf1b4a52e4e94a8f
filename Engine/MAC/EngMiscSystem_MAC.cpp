// The platform half of the desktop, window and system queries: the desktop size from SDL,
// moving the SDL window, the user name from the password database, the kernel version from
// uname and the processor-use report from /proc.
#include "Engine/EngMisc.h"

#include <SDL.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <sys/utsname.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MAC/EngText_MAC.h"

static SDL_Window *main_native_window = nullptr;
static char test_user_name_set = 0;
static std::string test_user_name;
static double cpu_next_check = 0.0;
static double cpu_last_seconds = -1.0;
static double cpu_last_clock = 0.0;

void EngMiscResetPlatformForTests_MAC() {
  test_user_name_set = 0;
  test_user_name.clear();
  cpu_next_check = 0.0;
  cpu_last_seconds = -1.0;
  cpu_last_clock = 0.0;
  EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(0);
  EngMiscSetLocaleVariablesForTests(0, nullptr, nullptr, nullptr);
}

void EngMiscSetMainNativeWindow_MAC(void *sdl_window) { main_native_window = static_cast<SDL_Window *>(sdl_window); }
void *EngMiscGetMainNativeWindow_MAC() { return main_native_window; }

char EngMiscQuitRequested_MAC() {
  int sig = EngProgramPendingSignal();
  if (sig == SIGINT || sig == SIGTERM) return 1;
  // SDL turns the signals into a quit event while it is up; peeking leaves it for the loop.
  if (SDL_WasInit(SDL_INIT_EVENTS) && SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) return 1;
  return 0;
}

void EngMiscSetUserNameForTests(const char *name) {
  test_user_name_set = name != nullptr;
  test_user_name = name ? name : "";
}

char EngMiscGetDesktopDimensions(int *x, int *y, int *width, int *height, char leave_room) {
  // SDL answers display questions only with its video part up; bring it up for the
  // question when nobody else has.
  bool own_video = !SDL_WasInit(SDL_INIT_VIDEO);
  if (own_video && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    DebugErrorAlt(ENG_FUNC, "SDL video failed [%s]", SDL_GetError());
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OPFA);
    return 0;
  }
  SDL_DisplayMode mode;
  int got = SDL_GetDesktopDisplayMode(0, &mode);
  if (own_video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  int w = got == 0 ? mode.w : 0;
  int h = got == 0 ? mode.h : 0;
  if (leave_room) h -= 50;
  if (x) *x = 0;
  if (y) *y = 0;
  if (width) *width = w;
  if (height) *height = h;
  if (w < 2 || h <= 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OPFA);
    return 0;
  }
  return 1;
}

char EngMiscMoveMainWindow(int x, int y) {
  if (!eng_main_window || !main_native_window) return 0;
  SDL_SetWindowPosition(main_native_window, x, y);
  SDL_RaiseWindow(main_native_window);
  return 1;
}

char EngMiscGetDefaultUsersName_MAC(char *buffer, int size) {
  if (!buffer || size < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  std::string name;
  if (test_user_name_set) {
    name = test_user_name;
  } else {
    struct passwd entry, *found = nullptr;
    char scratch[4096];
    if (getpwuid_r(getuid(), &entry, scratch, sizeof(scratch), &found) != 0 || !found || !found->pw_name) {
      DebugErrorAlt(ENG_FUNC, "Unable to get session dictionary.");
      return 0;
    }
    name = found->pw_name;
  }
  name = EngUtf8ToLatin1_MAC(name.c_str());
  if (name.size() + 1 > size_t(size)) {
    DebugErrorAlt(ENG_FUNC, "CFStringGetCString() failed.");
    return 0;
  }
  memcpy(buffer, name.c_str(), name.size() + 1);
  bool has_capital = false;
  for (char *p = buffer; *p; p++)
    if (*p >= 'A' && *p <= 'Z') has_capital = true;
  if (!has_capital && buffer[0] >= 'a' && buffer[0] <= 'z') buffer[0] = char(buffer[0] - 'a' + 'A');
  return 1;
}

static long GetKernelVersion(const char *signature) {
  struct utsname u;
  if (uname(&u) != 0) {
    DebugErrorAlt(signature, "Call to get version failed [%ld]", long(errno));
    return 0;
  }
  unsigned parts[3] = {0, 0, 0};
  const char *p = u.release;
  for (int i = 0; i < 3 && *p >= '0' && *p <= '9'; i++) {
    unsigned long v = strtoul(p, const_cast<char **>(&p), 10);
    parts[i] = v > 255 ? 255 : unsigned(v);
    if (*p != '.') break;
    p++;
  }
  return long((parts[0] << 16) | (parts[1] << 8) | parts[2]);
}

long EngMiscGetOsxVersion_MAC() { return GetKernelVersion(ENG_FUNC); }
long EngUtilsGetOsxVersion_MAC() { return GetKernelVersion(ENG_FUNC); }

// The process's processor time (user and system) in seconds, from /proc/self/stat.
static char ReadProcessorSeconds(double *seconds) {
  FILE *f = fopen("/proc/self/stat", "r");
  if (!f) return 0;
  char line[1024];
  char *got = fgets(line, sizeof(line), f);
  fclose(f);
  if (!got) return 0;
  // The command name may hold blanks and parentheses; the fields follow the last ')'.
  char *p = strrchr(line, ')');
  if (!p) return 0;
  unsigned long utime = 0, stime = 0;
  if (sscanf(p + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return 0;
  long ticks = sysconf(_SC_CLK_TCK);
  if (ticks <= 0) return 0;
  *seconds = double(utime + stime) / double(ticks);
  return 1;
}

void EngMiscShowFrameRatePeriodically_MAC(const char *process_name) {
  if (!process_name || !*process_name || eng_main_current_time < cpu_next_check) return;
  cpu_next_check = eng_main_current_time + 2.0;
  double seconds = 0.0;
  if (!ReadProcessorSeconds(&seconds)) {
    DebugErrorAlt(ENG_FUNC, "Could not read processor use");
    return;
  }
  // Use since the previous report; the first report has nothing to compare with.
  double percent = 0.0;
  if (cpu_last_seconds >= 0.0 && eng_main_current_time > cpu_last_clock)
    percent = (seconds - cpu_last_seconds) * 100.0 / (eng_main_current_time - cpu_last_clock);
  cpu_last_seconds = seconds;
  cpu_last_clock = eng_main_current_time;
  char text[32];
  snprintf(text, sizeof(text), "%.1f", percent);
  DebugInfoAlt(ENG_FUNC, "CPU: %s   FR: %.2f", text, double(eng_main_frame_rate));
}
