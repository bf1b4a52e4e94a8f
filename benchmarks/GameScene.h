// The scene the game benchmarks share: the hardest garden (the least cash per bug) on EXTREME
// in a late wave (wave 45, about 100 bugs spread over the road, too tough to die so the load
// stays the same), 40 weapons of every firing type at their top level beside the road, sprays
// among them.
#pragma once

#include <string>

namespace qwbench {

constexpr short kLateWaveGarden = 1, kLateWaveDifficulty = 2;

// Goes to the build's resources folder, starts a game and builds the scene; false with why.
bool BuildLateWave(std::string *why);
// The bugs back at their starting places (the weapons slow them down).
void ResetLateWaveBugs();
// A new game with nothing on the field, waiting for its start.
bool BuildEmptyField(std::string *why);
int LateWaveBugCount();

}  // namespace qwbench
