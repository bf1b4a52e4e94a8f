// Where the program's resources are: the folder "resources" beside the executable.
#include "Engine/EngProgram.h"

#include <climits>
#include <cstring>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

char EngProgram::GetResourcesPath_MAC(char *path, int size) {
  char exe[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  if (n <= 0) {
    DebugErrorAlt(ENG_FUNC, "readlink(/proc/self/exe) failed");
    return 0;
  }
  exe[n] = 0;
  char *slash = strrchr(exe, '/');
  if (slash) *slash = 0;
  const char *suffix = "/resources";
  if (strlen(exe) + strlen(suffix) + 1 > size_t(size)) {
    DebugErrorAlt(ENG_FUNC, "Resources path too long <%s>", exe);
    return 0;
  }
  EngSafeStrcpy(path, exe, size_t(size));
  strncat(path, suffix, size_t(size) - strlen(path) - 1);
  return 1;
}
