// The fuzz targets' scratch folder: one per process, made on first use under $TMPDIR (or /tmp)
// and removed with everything in it when the process exits, so a campaign of many processes
// leaves nothing behind. Header only: each target is one source file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

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
