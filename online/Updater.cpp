#include "online/Updater.h"

char UpdaterDoWeeklyVersionCheck(_EngMiscDate *last_check, _UpdaterProgramName program, float version) {
  if (!last_check) return 0;
  _EngMiscDate week_ago;
  EngMiscGetTodaysDate(&week_ago);
  _EngMiscDate today = week_ago;
  for (int i = 0; i < 7; i++) EngMiscGetPreviousDay(&week_ago);
  if (EngMiscDateIsDateLaterThanDate(*last_check, week_ago)) return 0;
  *last_check = today;
  return Updater(program, version);
}

char Updater(_UpdaterProgramName, float) { return 0; }
