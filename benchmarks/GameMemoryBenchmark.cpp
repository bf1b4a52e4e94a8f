// Resident memory over a long game: garden 0 played headless by the tests' player script from
// the first wave to the garden-won sign (about an hour of game time at 60 frames a second),
// the resident set read from /proc at the start (the baseline, measured in the same run),
// after ten minutes of play and at the start of waves 10, 20, 30, 40 and 50. Goals: at most
// 110 MB after ten minutes, and no growth between wave 10 and wave 40.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "tests/game/HeadlessGame.h"

namespace {

// The resident set in MB, from /proc/self/status.
double ResidentMB() {
  FILE *f = fopen("/proc/self/status", "r");
  if (!f) return -1.0;
  char line[256];
  double kb = -1.0;
  while (fgets(line, sizeof(line), f))
    if (strncmp(line, "VmRSS:", 6) == 0) kb = atof(line + 6);
  fclose(f);
  return kb / 1024.0;
}

}  // namespace

int main() {
  if (chdir(QW_RESOURCES_DIR) != 0) {
    fprintf(stderr, "no resources folder %s\n", QW_RESOURCES_DIR);
    return 1;
  }
  const double before = ResidentMB();
  QuarrelwickPre3dInit();
  level_garden = 0;
  level_difficulty = 0;
  srand(20261209);
  qwtest::HeadlessGame game;
  if (!game.Start()) {
    fprintf(stderr, "the headless game did not start\n");
    return 1;
  }
  const double start = ResidentMB();
  printf("resident memory (MB)\n");
  printf("  %-28s %8.1f\n", "process before the game", before);
  printf("  %-28s %8.1f   (baseline)\n", "game started, wave 1", start);
  const long ten_minutes = 60L * 60 * 10;
  double at_wave[51] = {0};
  double at_ten_minutes = -1.0;
  int last_wave = -1;
  while (!game_won && !game_over && game.Frames() < 60L * 60 * 120) {
    game.Step();
    if (game.Frames() == ten_minutes) at_ten_minutes = ResidentMB();
    if (bug_level_num != last_wave) {
      last_wave = bug_level_num;
      if (last_wave >= 0 && last_wave < 50) at_wave[last_wave] = ResidentMB();
    }
  }
  if (!game.Fault().empty()) printf("  fault: %s\n", game.Fault().c_str());
  printf("  %-28s %8.1f   goal <= 110\n", "after ten minutes of play", at_ten_minutes);
  for (int w : {10, 20, 30, 40, 50})
    if (w - 1 <= last_wave) printf("  %-28s %8.1f\n", ("start of wave " + std::to_string(w)).c_str(), at_wave[w - 1]);
  const double end = ResidentMB();
  printf("  %-28s %8.1f   (%s after %ld frames)\n", "end of the game", end, game_won ? "won" : "lost", game.Frames());
  const double growth = at_wave[39] - at_wave[9];
  printf("  %-28s %8.1f   goal 0 (within 1 MB)\n", "growth wave 10 to wave 40", growth);
  const bool ok = at_ten_minutes >= 0 && at_ten_minutes <= 110.0 && growth <= 1.0;
  printf("%s\n", ok ? "goals met" : "GOAL MISSED");
  return ok ? 0 : 2;
}
