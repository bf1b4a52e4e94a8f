// Where the program's resources are: the folder "resources" beside the executable, or for an
// installed program the folder its install layout put them in, relative to the executable's.
#include "Engine/EngProgram.h"

#include <climits>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

static std::string installed_resources = "../share/quarrelwick";

void EngProgramSetInstalledResources(const char *from_program_folder) {
  if (from_program_folder && *from_program_folder) installed_resources = from_program_folder;
}

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
  // A built tree keeps "resources" beside the program; an installed one keeps them where its
  // layout says (by default "<prefix>/share/quarrelwick" beside "<prefix>/bin").
  std::string found = std::string(exe) + "/resources";
  struct stat info;
  if (stat(found.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    std::string shared = std::string(exe) + "/" + installed_resources;
    if (stat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) found = shared;
  }
  if (found.size() + 1 > size_t(size)) {
    DebugErrorAlt(ENG_FUNC, "Resources path too long <%s>", exe);
    return 0;
  }
  EngSafeStrcpy(path, found.c_str(), size_t(size));
  return 1;
}
