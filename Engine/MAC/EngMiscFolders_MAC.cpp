// The user's folders on Linux: the XDG base folders for the per-user data root, the
// user-dirs file for Desktop, Documents, Downloads and Pictures ($HOME/<name> when unset),
// the working folder and tilde expansion.
#include "Engine/EngMisc.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <glob.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"

static char use_application_support = 0;

void EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(char on) { use_application_support = on; }
char EngMiscIsApplicationsSupportDirectoryBeingUsed() { return use_application_support; }

static std::string HomeFolder() {
  const char *home = getenv("HOME");
  if (home && *home == '/') return home;
  struct passwd entry, *found = nullptr;
  char scratch[4096];
  if (getpwuid_r(getuid(), &entry, scratch, sizeof(scratch), &found) == 0 && found && found->pw_dir &&
      found->pw_dir[0] == '/')
    return found->pw_dir;
  return "";
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
static std::string XdgBaseFolder(const char *variable, const char *fallback) {
  const char *value = getenv(variable);
  if (value && *value == '/') return value;
  std::string home = HomeFolder();
  return home.empty() ? home : home + "/" + fallback;
}

static bool FolderExists(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static char CopyPath(const std::string &path, char *buffer, int size) {
  if (!buffer || size < 1 || path.size() + 1 > size_t(size)) return 0;
  memcpy(buffer, path.c_str(), path.size() + 1);
  return 1;
}

// A user folder from user-dirs.dirs (XDG_<key>_DIR="$HOME/..." or "/..."), else home/name.
static std::string UserDirsFolder(const char *key, const char *name) {
  std::string home = HomeFolder();
  if (home.empty()) return home;
  std::string file = XdgBaseFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs";
  std::string wanted = std::string("XDG_") + key + "_DIR=";
  std::string result;
  if (FILE *f = EngFileOpenStreamForReading(file.c_str())) {
    char line[PATH_MAX + 64];
    while (fgets(line, sizeof(line), f)) {
      char *p = line;
      while (*p == ' ' || *p == '\t') p++;
      if (strncmp(p, wanted.c_str(), wanted.size()) != 0) continue;
      p += wanted.size();
      if (*p != '"') continue;
      p++;
      std::string value;
      for (; *p && *p != '"'; p++) {
        if (*p == '\\' && p[1]) p++;
        value += *p;
      }
      if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/'))
        result = home + value.substr(5);
      else if (!value.empty() && value[0] == '/')
        result = value;
    }
    fclose(f);
  }
  // The home folder itself means the folder is turned off.
  if (result.empty() || result == home || result == home + "/") result = home + "/" + name;
  return result;
}

// Like the look-ups that do not create: a missing folder is a failure.
static char GetExistingFolder(const char *signature, const std::string &path, char *buffer, int size) {
  if (path.empty() || !FolderExists(path)) {
    DebugErrorAlt(signature, "FSFindFolder failed [%d]", ENOENT);
    return 0;
  }
  if (!CopyPath(path, buffer, size)) {
    DebugErrorAlt(signature, "CFURLCreateFromFSRef failed");
    return 0;
  }
  return 1;
}

char EngMiscGetDesktopDirectory(char *buffer, int size) {
  return GetExistingFolder(ENG_FUNC, UserDirsFolder("DESKTOP", "Desktop"), buffer, size);
}

char EngMiscGetDocumentsDirectory(char *buffer, int size) {
  return GetExistingFolder(ENG_FUNC, UserDirsFolder("DOCUMENTS", "Documents"), buffer, size);
}

char EngMiscGetUserPhotosFolder(char *buffer, int size) {
  return GetExistingFolder(ENG_FUNC, UserDirsFolder("PICTURES", "Pictures"), buffer, size);
}

char EngMiscGetApplicationsDirectory(char *buffer, int size) {
  return GetExistingFolder(ENG_FUNC, XdgBaseFolder("XDG_DATA_HOME", ".local/share") + "/applications", buffer, size);
}

// The file module's trash, so that both name the same folder.
char EngMiscGetTrashDirectory(char *buffer, int size) { return EngFileGetTrashDirectory_MAC(buffer, size); }

char EngMiscGetUserFontsDirectory_MAC(char *buffer, int size) {
  return GetExistingFolder(ENG_FUNC, XdgBaseFolder("XDG_DATA_HOME", ".local/share") + "/fonts", buffer, size);
}

char EngMiscGetDownloadsDirectory(char *buffer, int size) {
  std::string path = UserDirsFolder("DOWNLOAD", "Downloads");
  if (path.empty()) {
    DebugErrorAlt(ENG_FUNC, "Could not expand path.");
    if (buffer && size > 0) buffer[0] = 0;
    return 0;
  }
  if (buffer && size > 0) {
    if (!CopyPath(path, buffer, size)) {
      DebugErrorAlt(ENG_FUNC, "Path too long [%s].", path.c_str());
      buffer[0] = 0;
      return 0;
    }
  }
  if (!FolderExists(path)) {
    DebugErrorAlt(ENG_FUNC, "Folder does not exist [%s].", path.c_str());
    if (buffer && size > 0) buffer[0] = 0;
    return 0;
  }
  return 1;
}

static std::string ApplicationDataFolder() {
  return use_application_support ? XdgBaseFolder("XDG_DATA_HOME", ".local/share")
                                 : XdgBaseFolder("XDG_CONFIG_HOME", ".config");
}

char EngMiscGetUserApplicationDataDirectory(char *buffer, int size) {
  std::string path = ApplicationDataFolder();
  if (path.empty()) {
    DebugErrorAlt(ENG_FUNC, "Could not get preferences folder");
    return 0;
  }
  if (!CopyPath(path, buffer, size)) {
    DebugErrorAlt(ENG_FUNC, "Could not get path");
    return 0;
  }
  return 1;
}

char EngMiscGetUserApplicationDataSubDirectory(const char *sub, char *buffer, int size) {
  if (!sub || !*sub || !buffer || size < 1) return 0;
  int room = size - 1 - int(strlen(sub));
  if (room < 1 || !EngMiscGetUserApplicationDataDirectory(buffer, room)) return 0;
  strcat(buffer, "/");
  strcat(buffer, sub);
  return 1;
}

char EngMiscGetUserApplicationDataSubSubDirectory(const char *sub, const char *subsub, char *buffer, int size) {
  if (!subsub || !*subsub || !buffer || size < 1) return 0;
  int room = size - 1 - int(strlen(subsub));
  if (room < 1 || !EngMiscGetUserApplicationDataSubDirectory(sub, buffer, room)) return 0;
  strcat(buffer, "/");
  strcat(buffer, subsub);
  return 1;
}

// Every missing level of an absolute path, the way mkdir -p does; the data root is private.
static bool MakeFolders(const std::string &path, mode_t mode) {
  if (FolderExists(path)) return true;
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (!part.empty() && !FolderExists(part) && mkdir(part.c_str(), mode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return FolderExists(path);
}

// Downloads are placed here, so a Desktop that was never made is made (not private: the
// user's own folder).
char EngMiscCreateDesktopDirectoryIfNeeded(char *buffer, int size) {
  std::string path = UserDirsFolder("DESKTOP", "Desktop");
  if (path.empty() || !MakeFolders(path, 0755)) {
    DebugErrorAlt(ENG_FUNC, "Could not create directory <%s>", path.c_str());
    return 0;
  }
  if (!CopyPath(path, buffer, size)) {
    DebugErrorAlt(ENG_FUNC, "Path too long [%s].", path.c_str());
    return 0;
  }
  return 1;
}

static bool MakeApplicationDataRoot() {
  std::string root = ApplicationDataFolder();
  return !root.empty() && MakeFolders(root, 0700);
}

char EngMiscCreateUserApplicationDataSubDirectoryIfNeeded(const char *sub, char *buffer, int size) {
  if (!EngMiscGetUserApplicationDataSubDirectory(sub, buffer, size)) return 0;
  if (EngFileDirectoryExists(buffer)) return 1;
  // A fresh account may lack the XDG folder itself.
  if (!MakeApplicationDataRoot() || !EngFileCreateDirectory(buffer, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not create dir <%s>", buffer);
    return 0;
  }
  return 1;
}

char EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded(const char *sub, const char *subsub, char *buffer,
                                                             int size) {
  if (!subsub || !*subsub || !buffer || size < 1) return 0;
  int room = size - 1 - int(strlen(subsub));
  if (room < 1 || !EngMiscCreateUserApplicationDataSubDirectoryIfNeeded(sub, buffer, room)) return 0;
  strcat(buffer, "/");
  strcat(buffer, subsub);
  if (EngFileDirectoryExists(buffer)) return 1;
  if (!EngFileCreateDirectory(buffer, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not create dir <%s>", buffer);
    return 0;
  }
  return 1;
}

char EngMiscGetCurrentDirectory(char *buffer, int size) {
  if (!buffer || size < 2 || !getcwd(buffer, size_t(size - 1))) {
    if (buffer && size > 0) buffer[0] = 0;
  }
  return 1;
}

void EngMiscOutputCurrentDirectory() {
  char buffer[1024];
  EngMiscGetCurrentDirectory(buffer, sizeof(buffer));
  DebugInfoAlt(ENG_FUNC, "CWD: <%s>", buffer);
}

char *CreatePathByExpandingTildePath(const char *path) {
  DebugAssertAlt(path != nullptr, ENG_FUNC, "path != NULL");
  if (!path) return nullptr;
  glob_t found;
  char *result = nullptr;
  if (glob(path, GLOB_TILDE, nullptr, &found) == 0 && found.gl_pathc > 0) {
    size_t length = strlen(found.gl_pathv[0]);
    result = static_cast<char *>(calloc(length + 1, 1));
    if (result) memcpy(result, found.gl_pathv[0], length);
  }
  globfree(&found);
  return result;
}
