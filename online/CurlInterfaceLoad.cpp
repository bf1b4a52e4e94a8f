// libcurl loaded at the first transfer, and its process-wide set-up (CurlInterface.h): the game
// starts without libcurl and the TLS and authentication libraries it brings, which only the
// weekly update check and the world scores use.
#include <dlfcn.h>

#include <atomic>
#include <mutex>

#include "Engine/EngDebug.h"
#include "online/CurlInterface.h"
#include "online/CurlInterfaceTransfer.h"

CurlFunctions ci_curl;

// The main thread and an internet worker may reach the first transfer together.
static std::mutex ci_load_mutex;
static const char *ci_library = "libcurl.so.4";
// Under the mutex: 0 not tried yet, 1 loaded, -1 not loadable (not tried again).
static int ci_loaded = 0;
static std::atomic<char> ci_curl_setup{0};

void CurlInterface_SetLibraryForTests(const char *file_name) {
  std::lock_guard<std::mutex> hold(ci_load_mutex);
  ci_library = file_name;
  // A failed attempt loaded nothing: the next transfer tries the new name.
  if (ci_loaded < 0) ci_loaded = 0;
}

// The library is never closed: the leak checker names its frames at exit.
static char LoadCurlLocked() {
  if (ci_loaded) return ci_loaded > 0 ? 1 : 0;
  ci_loaded = -1;
  void *library = dlopen(ci_library, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    DebugErrorAlt(ENG_FUNC, "libcurl could not be loaded, so nothing can be fetched or sent: %s", dlerror());
    return 0;
  }
  CurlFunctions found;
  const char *missing = nullptr;
#define CURL_INTERFACE_RESOLVE(name)                                                  \
  found.name = reinterpret_cast<decltype(found.name)>(dlsym(library, "curl_" #name)); \
  if (!found.name && !missing) missing = "curl_" #name;
  CURL_INTERFACE_FUNCTIONS(CURL_INTERFACE_RESOLVE)
#undef CURL_INTERFACE_RESOLVE
  if (missing) {
    DebugErrorAlt(ENG_FUNC, "libcurl (%s) has no %s, so nothing can be fetched or sent.", ci_library, missing);
    return 0;
  }
  ci_curl = found;
  ci_loaded = 1;
  return 1;
}

char CurlInterface_InitCurl() {
  std::lock_guard<std::mutex> hold(ci_load_mutex);
  if (ci_curl_setup.load()) {
    DebugInfoAlt(ENG_FUNC, "Already setup.");
    return 1;
  }
  if (!LoadCurlLocked()) return 0;
  if (ci_curl.global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    DebugErrorAlt(ENG_FUNC, "curl_global_init() failed.");
    return 0;
  }
  ci_curl_setup = 1;
  return 1;
}

char CurlInterface_IsCurlInitialised() { return ci_curl_setup.load(); }

void CurlInterface_ExitCurl() {
  std::lock_guard<std::mutex> hold(ci_load_mutex);
  if (!ci_curl_setup.load()) return;
  ci_curl.global_cleanup();
  ci_curl_setup = 0;
}
