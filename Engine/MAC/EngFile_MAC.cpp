// The platform half of the file module: the user's trash folder, which on this desktop is the
// freedesktop.org trash, "$XDG_DATA_HOME/Trash/files" (by default ~/.local/share/Trash/files).
#include "Engine/EngFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

namespace {

std::string DataHome() {
  // The standard says a relative value is invalid and is to be ignored.
  const char *xdg = getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char *home = getenv("HOME");
  if (!home || !*home) {
    struct passwd *entry = getpwuid(getuid());
    home = entry ? entry->pw_dir : nullptr;
  }
  if (!home || !*home) return std::string();
  return std::string(home) + "/.local/share";
}

// Makes every missing folder of the path, private to the user as the trash must be.
bool MakeFolders(const std::string &path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

char EngFileGetTrashDirectory_MAC(char *buffer, int size) {
  if (!buffer || size < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  buffer[0] = 0;
  std::string data_home = DataHome();
  if (data_home.empty()) {
    DebugErrorAlt(ENG_FUNC, "Could not find the home folder");
    return 0;
  }
  std::string trash = data_home + "/Trash/files";
  if (trash.size() >= size_t(size)) {
    DebugErrorAlt(ENG_FUNC, "Trash folder path too long <%s>", trash.c_str());
    return 0;
  }
  if (!MakeFolders(trash)) {
    DebugErrorAlt(ENG_FUNC, "Could not create the trash folder <%s>", trash.c_str());
    return 0;
  }
  EngSafeStrcpy(buffer, trash.c_str(), size_t(size));
  return 1;
}
