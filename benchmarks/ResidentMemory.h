// The resident set of a process in MB, from its /proc status (-1 when it cannot be read).
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace qwbench {

// pid 0: this process.
inline double ResidentMB(pid_t pid = 0) {
  const std::string path = pid ? "/proc/" + std::to_string(pid) + "/status" : std::string("/proc/self/status");
  FILE *f = fopen(path.c_str(), "r");
  if (!f) return -1.0;
  char line[256];
  double kb = -1.0;
  while (fgets(line, sizeof(line), f))
    if (strncmp(line, "VmRSS:", 6) == 0) kb = atof(line + 6);
  fclose(f);
  return kb / 1024.0;
}

}  // namespace qwbench
