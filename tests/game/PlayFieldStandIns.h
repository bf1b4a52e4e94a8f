// What the test stand-ins of the sounds and the player record were asked to do.
#pragma once

#include <utility>
#include <vector>

namespace qwtest {
extern std::vector<int> sounds_played;
extern int tutorial_clears;
// Bullet sounds as (weapon type, level); effects as (type, x, y, size).
struct EffectMade {
  int type;
  float x, y, size;
};
extern std::vector<std::pair<int, int>> launch_sounds, hit_sounds;
extern std::vector<EffectMade> effects_made;
extern int popup_updates, sidebar_resets, placings_cancelled, tutorial_advances;
// Empties all of the above.
void ClearStandInRecords();
}  // namespace qwtest
