// The program's side of the native dialogs: the calls that need no GTK, and a twin of every
// other call that loads the dialogs' module (quarrelwick-gtk.so) the first time one is made
// and forwards to it. The module stays loaded for the process's life.
#include "Engine/MAC/EngGui_MAC.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/MAC/EngGuiModule_MAC.h"
#include "Engine/MAC/EngText_MAC.h"

static const char kModuleFile[] = "quarrelwick-gtk.so";

static std::mutex module_mutex;
static char module_tried = 0;
static const EngGuiModuleCalls *module_calls = nullptr;
static std::string installed_module_folder;
static char module_path_for_tests_set = 0;
static std::string module_path_for_tests;
static EngGuiTestDriver test_driver = nullptr;
static void *test_driver_user = nullptr;

#define ENG_GUI_IMPORT_ADDRESS(ret, name, ...) &::name,
static const EngGuiModuleImports kImports = {&::DebugErrorAlt, &::DebugInfo,
                                             ENG_GUI_MODULE_IMPORTS(ENG_GUI_IMPORT_ADDRESS)};
#undef ENG_GUI_IMPORT_ADDRESS

// Beside the executable, where an install put it, then in the build folder (where test
// executables in sub-folders find it).
static std::vector<std::string> ModuleCandidates() {
  if (module_path_for_tests_set) return {module_path_for_tests};
  std::vector<std::string> candidates;
  char exe[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  if (length > 0) {
    std::string folder(exe, size_t(length));
    folder.erase(folder.rfind('/') + 1);
    candidates.push_back(folder + kModuleFile);
    if (!installed_module_folder.empty()) candidates.push_back(folder + installed_module_folder + "/" + kModuleFile);
  }
#ifdef QW_GTK_MODULE_DIR
  candidates.push_back(std::string(QW_GTK_MODULE_DIR) + "/" + kModuleFile);
#endif
  return candidates;
}

static const EngGuiModuleCalls *LoadModule() {
  std::vector<std::string> candidates = ModuleCandidates();
  std::string path, error;
  for (const std::string &candidate : candidates) {
    // A candidate that is not there is passed over, so that the error told is the one that matters.
    if (access(candidate.c_str(), F_OK) != 0) continue;
    path = candidate;
    break;
  }
  if (path.empty()) path = candidates.empty() ? std::string(kModuleFile) : candidates.front();
  // Never closed: its code stays in use by the windows it made, and leak reports name its frames.
  void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  const EngGuiModuleCalls *calls = nullptr;
  if (!handle) {
    const char *why = dlerror();
    error = why ? why : "unknown error";
  } else {
    auto open = reinterpret_cast<EngGuiModuleOpenFunction>(dlsym(handle, ENG_GUI_MODULE_OPEN));
    calls = open ? open(&kImports, sizeof(EngGuiModuleImports), sizeof(EngGuiModuleCalls)) : nullptr;
    if (!calls) error = open ? "built from other sources than this program" : "no entry " ENG_GUI_MODULE_OPEN;
  }
  if (!calls) {
    DebugErrorAlt(ENG_FUNC, "Could not load the native dialogs' module <%s>: %s", path.c_str(), error.c_str());
    DebugInfo("No native dialog can be shown.");
    return nullptr;
  }
  calls->EngGuiSetTestDriver_MAC(test_driver, test_driver_user);
  return calls;
}

static const EngGuiModuleCalls *Module() {
  std::lock_guard<std::mutex> lock(module_mutex);
  if (!module_tried) {
    module_tried = 1;
    module_calls = LoadModule();
  }
  return module_calls;
}

static const EngGuiModuleCalls *ModuleIfLoaded() {
  std::lock_guard<std::mutex> lock(module_mutex);
  return module_calls;
}

#define ENG_GUI_FORWARD(ret, name, params, args, fallback) \
  ret name params {                                        \
    const EngGuiModuleCalls *calls = Module();             \
    if (!calls) return fallback;                           \
    return calls->name args;                               \
  }
ENG_GUI_MODULE_CALLS(ENG_GUI_FORWARD)
#undef ENG_GUI_FORWARD

void EngGuiSetInstalledModuleFolder_MAC(const char *relative) {
  std::lock_guard<std::mutex> lock(module_mutex);
  installed_module_folder = relative ? relative : "";
}

void EngGuiSetModulePathForTests(const char *path) {
  std::lock_guard<std::mutex> lock(module_mutex);
  module_path_for_tests_set = path != nullptr;
  module_path_for_tests = path ? path : "";
  module_tried = 0;
  module_calls = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Calls that need no GTK

char EngGuiIsNonInteractive_MAC() {
  const char *v = getenv("QUARRELWICK_NONINTERACTIVE");
  return v && *v && strcmp(v, "0") != 0;
}

namespace {

struct StatusText {
  EngInt32 status;
  const char *error;
  const char *comment;
};

const StatusText kStatusTexts[] = {
    {ENG_GUI_STATUS_PARAM, "paramErr", "error in user parameter list"},
    {ENG_GUI_STATUS_MENU_ITEM_NOT_FOUND, "menuItemNotFoundErr", "specified menu item wasn't found"},
};

}  // namespace

// Logged under the name of the call that answered, with the status's own texts.
char EngGuiIsReturnCodeOk_MAC(const char *name, EngInt32 status) {
  if (status == 0) return 1;
  const char *signature = name && name[0] ? name : ENG_FUNC;
  for (const StatusText &text : kStatusTexts) {
    if (text.status != status) continue;
    DebugErrorAlt(signature, "Error: %s (%s)", text.error, text.comment);
    return 0;
  }
  char number[16];
  snprintf(number, sizeof(number), "%d", int(status));
  DebugErrorAlt(signature, "Error: %s (%s)", number, "unknown status");
  return 0;
}

// The driver is kept here and handed to the module when it loads, so that setting one loads
// nothing.
void EngGuiSetTestDriver_MAC(EngGuiTestDriver driver, void *user) {
  const EngGuiModuleCalls *calls = nullptr;
  {
    std::lock_guard<std::mutex> lock(module_mutex);
    test_driver = driver;
    test_driver_user = user;
    calls = module_calls;
  }
  if (calls) calls->EngGuiSetTestDriver_MAC(driver, user);
}

int EngGuiTestGetNumWindowsShown_MAC() {
  const EngGuiModuleCalls *calls = ModuleIfLoaded();
  return calls ? calls->EngGuiTestGetNumWindowsShown_MAC() : 0;
}

void EngGuiResetForTests() {
  const EngGuiModuleCalls *calls = nullptr;
  {
    std::lock_guard<std::mutex> lock(module_mutex);
    test_driver = nullptr;
    test_driver_user = nullptr;
    calls = module_calls;
  }
  if (calls) calls->EngGuiResetForTests();
}
