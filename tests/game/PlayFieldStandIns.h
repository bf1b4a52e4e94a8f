// What the play field asked of the modules still standing in (game/GameStandIns): the sounds,
// bullet sounds, effects, the weapon popup, the sidebar and the tutorial.
#pragma once

#include <utility>
#include <vector>

#include "game/GameStandIns.h"

namespace qwtest {
using EffectMade = StandInEffect;
inline std::vector<int> &sounds_played = SoundStandInPlayed();
inline std::vector<std::pair<int, int>> &launch_sounds = GameStandInRecords().launch_sounds;
inline std::vector<std::pair<int, int>> &hit_sounds = GameStandInRecords().hit_sounds;
inline std::vector<StandInEffect> &effects_made = GameStandInRecords().effects_made;
inline int &popup_updates = GameStandInRecords().popup_updates;
inline int &sidebar_resets = GameStandInRecords().sidebar_resets;
inline int &placings_cancelled = GameStandInRecords().placings_cancelled;
inline int &tutorial_advances = GameStandInRecords().tutorial_advances;
inline void ClearStandInRecords() { GameStandInRecordsClear(); }
}  // namespace qwtest
