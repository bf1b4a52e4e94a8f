// The platform half of the engine's utilities over SDL2 and POSIX: message boxes, sleeping,
// memory use and opening files in the user's viewer.
#include "Engine/EngMisc.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "Engine/MAC/EngText_MAC.h"

extern char **environ;

static EngMiscPopupHandler popup_handler = nullptr;

void EngMiscSetPopupHandlerForTests(EngMiscPopupHandler handler) { popup_handler = handler; }

static bool DisplayAvailable() {
  const char *d = getenv("DISPLAY");
  const char *w = getenv("WAYLAND_DISPLAY");
  return (d && *d) || (w && *w);
}

void EngMiscShowPopupMessage_MAC(_EngMiscPopupType type, const char *title, const char *text) {
  if (!text) {
    DebugErrorAlt(ENG_FUNC, "Message not set");
    return;
  }
  if (popup_handler) {
    popup_handler(type, title ? title : "", text);
    return;
  }
  if (!EngGuiIsNonInteractive_MAC() && DisplayAvailable()) {
    Uint32 flags = (type == ENG_MISC_POPUP_WARNING || type == ENG_MISC_POPUP_ERROR) ? SDL_MESSAGEBOX_WARNING
                                                                                    : SDL_MESSAGEBOX_INFORMATION;
    std::string t = EngLatin1ToUtf8_MAC(title), m = EngLatin1ToUtf8_MAC(text);
    if (SDL_ShowSimpleMessageBox(flags, t.c_str(), m.c_str(), nullptr) == 0) return;
  }
  fprintf(stderr, "%s\n%s\n", title ? title : "", text);
}

char EngMiscAskOkCancel_MAC(const char *title, const char *text) {
  if (popup_handler) {
    popup_handler(ENG_MISC_POPUP_WARNING, title ? title : "", text ? text : "");
    return 1;
  }
  if (EngGuiIsNonInteractive_MAC() || !DisplayAvailable()) {
    fprintf(stderr, "%s\n%s\n", title ? title : "", text ? text : "");
    return 0;
  }
  std::string t = EngLatin1ToUtf8_MAC(title), m = EngLatin1ToUtf8_MAC(text);
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
  };
  SDL_MessageBoxData data = {SDL_MESSAGEBOX_WARNING, nullptr, t.c_str(), m.c_str(), 2, buttons, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return 0;
  return pressed == 1;
}

void EngMiscOpenFileInViewer_MAC(const char *path) {
  if (!path || !*path) return;
  if (EngGuiIsNonInteractive_MAC()) {
    DebugInfoAlt(ENG_FUNC, "Not opening <%s> (non-interactive)", path);
    return;
  }
  char *argv[] = {const_cast<char *>("xdg-open"), const_cast<char *>(path), nullptr};
  pid_t pid;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0)
    DebugErrorAlt(ENG_FUNC, "Could not start xdg-open for <%s>", path);
}

static void (*test_sleep)(double) = nullptr;

void EngMainSetSleepForTests(void (*sleep_seconds)(double)) { test_sleep = sleep_seconds; }

void EngMiscCallPlatformSleepFunc(double seconds) {
  if (seconds <= 0) return;
  if (test_sleep) {
    test_sleep(seconds);
    return;
  }
  usleep(useconds_t(seconds * 1000000.0));
}

char EngMiscGetProgramsMemoryUsageMB(float *megabytes) {
  FILE *f = fopen("/proc/self/statm", "r");
  if (!f) return 0;
  unsigned long size = 0, resident = 0;
  int n = fscanf(f, "%lu %lu", &size, &resident);
  fclose(f);
  if (n != 2) return 0;
  if (megabytes) *megabytes = float(double(resident) * double(sysconf(_SC_PAGESIZE)) / 1048576.0);
  return 1;
}
