// What the play field asked of the modules around it: the sounds it asked to play (kept by the
// sound module while the tests ask it to), the explosions now on the field, and the updates
// asked of the weapon popup.
#pragma once

#include <utility>
#include <vector>

#include "game/Effects.h"
#include "game/Popup.h"
#include "game/Sound.h"

namespace qwtest {
struct EffectMade {
  int type;
  float x, y, size;
};
inline std::vector<int> &sounds_played = SoundRequestsKept().played;
inline std::vector<std::pair<int, int>> &launch_sounds = SoundRequestsKept().launches;
inline std::vector<std::pair<int, int>> &hit_sounds = SoundRequestsKept().hits;
// The updates the play field asked of the popup (with no popup controller they do nothing).
inline int &popup_updates = PopupUpdateRequestsForTests();
// The live effects in slot order.
inline std::vector<EffectMade> EffectsMade() {
  std::vector<EffectMade> made;
  for (int i = 0; i < num_effects; i++)
    if (effects[i] && effects[i]->alive) made.push_back({effects[i]->type, effects[i]->x, effects[i]->y, effects[i]->size});
  return made;
}
inline void ClearRequestRecords() {
  PopupUpdateRequestsForTests() = 0;
  SoundRequests &kept = SoundRequestsKept();
  kept.played.clear();
  kept.launches.clear();
  kept.hits.clear();
  kept.on = true;
  EffectsInitForNewGame();
}
}  // namespace qwtest
