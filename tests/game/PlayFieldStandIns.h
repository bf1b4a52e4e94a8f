// What the test stand-ins of the sounds and the player record were asked to do.
#pragma once

#include <vector>

namespace qwtest {
extern std::vector<int> sounds_played;
extern int tutorial_clears;
}  // namespace qwtest
