// The update service: the weekly version check run at start-up. The check against the update
// server and the download are not here yet, so a due check finds nothing to do.
#pragma once

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"
#include "Engine/Resolution.h"

enum _UpdaterProgramName : EngUInt32 {
  UPDATER_PROGRAM_NONE = 0,
  UPDATER_PROGRAM_QUARRELWICK = 3,
  UPDATER_PROGRAM_NO_CHECK = 17,
};

// A stored date of seven days ago or more, or none at all (all zero), makes the check due: today's
// date is stored in place before it runs, whatever its outcome. Returns 0 when nothing was
// checked or nothing downloaded, else the check's result (start-up then ends).
char UpdaterDoWeeklyVersionCheck(_EngMiscDate *last_check, _UpdaterProgramName program, float version);
// The version check: 1 when a newer version was downloaded, else 0.
char Updater(_UpdaterProgramName program, float version);
