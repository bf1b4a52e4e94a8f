// The fuzz targets' scratch folder: one per process, made on first use under $TMPDIR (or /tmp)
// and removed with everything in it when the process exits, so a campaign of many processes
// leaves nothing behind; and the player's data folder for the targets that read the player's
// files. Header only: each target is one source file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "Engine/EngPrefFolder.h"

// The folder's path, without a trailing slash; the process aborts when it cannot be made.
inline const std::string &FuzzScratchFolder() {
  // Never destroyed: the removal at exit still needs the name.
  static const std::string *folder = [] {
    const char *tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qw-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) abort();
    atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(FuzzScratchFolder(), ignored);
    });
    return new std::string(pattern);
  }();
  return *folder;
}

// The player's data folder, made once with the program's folders under it and named by
// XDG_DATA_HOME; removed when the process exits. In memory where the machine has /dev/shm (a
// load there saves and syncs), else in the scratch folder. The process aborts when it cannot
// be made.
inline const std::string &FuzzDataFolder() {
  static const std::string *folder = [] {
    std::string path = "/dev/shm/qw-fuzz-data-XXXXXX";
    if (mkdtemp(&path[0])) {
      atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(FuzzDataFolder(), ignored);
      });
    } else {
      path = FuzzScratchFolder() + "/data";
      if (mkdir(path.c_str(), 0700) != 0) abort();
    }
    setenv("XDG_DATA_HOME", path.c_str(), 1);
    if (!PrefFolderSetup("Quarrelwick", 0, nullptr, 1)) abort();
    return new std::string(path);
  }();
  return *folder;
}
