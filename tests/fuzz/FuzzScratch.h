// The fuzz targets' scratch folder: one per process under $TMPDIR (or /tmp), made on first use
// and removed with everything in it when the process exits; and the player's data folder inside
// it for the targets that read the player's files; and the debug log, kept in the folder. A
// process that ends on a finding, a time-out or a kill runs no exit handler: it holds a lock on
// a file in its folder while it lives, and the next process to make a folder under the same
// $TMPDIR removes every one whose lock it can take.
// Header only: each target is one source file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngPrefFolder.h"

// Removes the scratch folders in the folder whose processes have ended: those whose lock file
// can be locked. A folder without one (made by an older build) is left to its own process.
// Called with the folder itself locked, so that no folder is taken between being made and being
// locked by its process.
inline void FuzzRemoveScratchFoldersLeftBehind(const std::string &top) {
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator(top, error)) {
    const std::string path = entry.path().string();
    struct stat status;
    if (entry.path().filename().string().rfind("qw-fuzz-", 0) != 0 || lstat(path.c_str(), &status) != 0 ||
        !S_ISDIR(status.st_mode) || status.st_uid != getuid())
      continue;
    int lock = open((path + "/.lock").c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (lock < 0) continue;
    if (flock(lock, LOCK_EX | LOCK_NB) == 0) std::filesystem::remove_all(path, error);
    close(lock);
  }
}

// The folder's path, without a trailing slash; the process aborts when it cannot be made.
inline const std::string &FuzzScratchFolder() {
  // Never destroyed: the removal at exit still needs the name.
  static const std::string *folder = [] {
    const char *tmp = getenv("TMPDIR");
    const std::string top = tmp && *tmp ? tmp : "/tmp";
    int top_lock = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top_lock < 0 || flock(top_lock, LOCK_EX) != 0) abort();
    FuzzRemoveScratchFoldersLeftBehind(top);
    std::string pattern = top + "/qw-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) abort();
    // Kept open, never closed: the lock goes only with the process.
    int own_lock = open((pattern + "/.lock").c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (own_lock < 0 || flock(own_lock, LOCK_EX | LOCK_NB) != 0) abort();
    close(top_lock);
    atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(FuzzScratchFolder(), ignored);
    });
    return new std::string(pattern);
  }();
  return *folder;
}

// The player's data folder, made once with the program's folders under it and named by
// XDG_DATA_HOME. A load there saves and syncs: a $TMPDIR in memory (/dev/shm) keeps runs fast.
// The process aborts when it cannot be made.
inline const std::string &FuzzDataFolder() {
  static const std::string *folder = [] {
    std::string path = FuzzScratchFolder() + "/data";
    if (mkdir(path.c_str(), 0700) != 0) abort();
    setenv("XDG_DATA_HOME", path.c_str(), 1);
    if (!PrefFolderSetup("Quarrelwick", 0, nullptr, 1)) abort();
    return new std::string(path);
  }();
  return *folder;
}

// Names the debug log "Log.txt" in the scratch folder on the first call and keeps it short on
// every later one: called first for each input (and before any set-up that may log). The log's
// first write removes whatever stands at its name, so the name is never a shared one such as
// /dev/null; a long run keeps only the latest of its log.
inline void FuzzLogToScratch() {
  static const std::string *log = [] {
    auto *path = new std::string(FuzzScratchFolder() + "/Log.txt");
    if (!DebugSetLogFilename(path->c_str(), 0)) abort();
    return path;
  }();
  struct stat status;
  if (stat(log->c_str(), &status) == 0 && status.st_size > (1 << 20) && truncate(log->c_str(), 0) != 0) abort();
}
