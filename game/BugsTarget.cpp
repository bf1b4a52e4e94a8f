// The weapons' targeting query over the bugs on screen.
#include "game/Bugs.h"

EngInt32 BugsGetTargetBugWithinRange(float x, float y, float range, int mode) {
  if (num_bugs < 1 || mode < 0 || mode > 4) return -1;
  EngInt32 best = -1;
  float best_d2 = 0.0f;
  for (int i = 0; i < num_bugs && i < BUGS_MAX; i++) {
    Bug *b = bugs[i];
    if (!b || !b->on_screen) continue;
    float dx = b->GetScreenX() - x, dy = b->GetScreenY() - y;
    float d2 = dx * dx + dy * dy;
    // Kept as the balance was tuned: a length (the bug's size) taken from a squared length.
    if (!(range * range >= d2 - bug_size)) continue;
    if (best < 0) {
      best = i;
      best_d2 = d2;
      continue;
    }
    const Bug *c = bugs[best];
    bool better = false;
    switch (mode) {
      case 0: better = b->path_pos > c->path_pos; break;
      case 1: better = b->path_pos < c->path_pos; break;
      case 2: better = b->hp > c->hp; break;
      case 3: better = b->hp < c->hp; break;
      case 4: better = d2 < best_d2; break;
    }
    if (better) {
      best = i;
      best_d2 = d2;
    }
  }
  return best;
}
