// The platform half of going online and the clipboard: xdg-open started with posix_spawnp
// (no shell: the address is one argument, whatever it holds) and SDL's clipboard.
#include "Engine/EngVarious.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

#include "Engine/EngDebug.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "Engine/MAC/EngText_MAC.h"

extern char **environ;

static std::string test_opener;
static pid_t last_opener = -1;
// Openers still to be reaped; xdg-open usually ends at once, but not always.
static pid_t running_openers[16];
static int num_running_openers = 0;

void VariousSetBrowserOpenerForTests(const char *program) { test_opener = program ? program : ""; }

int VariousWaitForBrowserOpenerForTests() {
  if (last_opener <= 0) return -1;
  int status = 0;
  pid_t pid = last_opener;
  last_opener = -1;
  for (int i = 0; i < num_running_openers; i++)
    if (running_openers[i] == pid) running_openers[i] = running_openers[--num_running_openers];
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

static void ReapFinishedOpeners() {
  for (int i = 0; i < num_running_openers;) {
    if (waitpid(running_openers[i], nullptr, WNOHANG) != 0)
      running_openers[i] = running_openers[--num_running_openers];
    else
      i++;
  }
}

char VariousGoOnlineNow_MAC(const char *url) {
  ReapFinishedOpeners();
  const char *program = test_opener.empty() ? "xdg-open" : test_opener.c_str();
  if (test_opener.empty() && EngGuiIsNonInteractive_MAC()) {
    DebugInfoAlt(ENG_FUNC, "Not opening <%s> (non-interactive)", url);
    return 1;
  }
  // Addresses are ISO 8859-1 like all engine text; the browser gets UTF-8.
  std::string address = EngLatin1ToUtf8_MAC(url);
  char *argv[] = {const_cast<char *>(program), const_cast<char *>(address.c_str()), nullptr};
  pid_t pid = -1;
  int r = posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
  if (r != 0) {
    DebugErrorAlt(ENG_FUNC, "Could not start %s [%s] for <%s>", program, strerror(r), url);
    return 0;
  }
  last_opener = pid;
  if (num_running_openers < int(sizeof(running_openers) / sizeof(running_openers[0])))
    running_openers[num_running_openers++] = pid;
  return 1;
}

static bool ClipboardReady(const char *signature) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  DebugErrorAlt(signature, "Clipboard not available: SDL video is not initialised");
  return false;
}

char VariousCopyClipboardFromString(const char *text) {
  if (!text) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (!*text || !ClipboardReady(ENG_FUNC)) return 0;
  if (SDL_SetClipboardText(EngLatin1ToUtf8_MAC(text).c_str()) != 0) {
    DebugErrorAlt(ENG_FUNC, "Could not set the clipboard [%s]", SDL_GetError());
    return 0;
  }
  return 1;
}

char VariousPasteClipboardToString(char *buffer, int size) {
  if (!buffer || size < 2) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  buffer[0] = 0;
  if (!ClipboardReady(ENG_FUNC) || !SDL_HasClipboardText()) return 0;
  char *utf8 = SDL_GetClipboardText();
  if (!utf8) return 0;
  std::string text = EngUtf8ToLatin1_MAC(utf8);
  SDL_free(utf8);
  if (text.empty()) return 0;
  size_t n = text.size() < size_t(size - 1) ? text.size() : size_t(size - 1);
  memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return 1;
}
