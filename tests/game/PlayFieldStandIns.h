// The sounds the play field asked for (the game's sounds are still a stand-in that records them).
#pragma once

#include <vector>

#include "game/GameStandIns.h"

namespace qwtest {
inline std::vector<int> &sounds_played = SoundStandInPlayed();
}  // namespace qwtest
