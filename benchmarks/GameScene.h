// The scene the game benchmarks share: the hardest garden (the least cash per bug) on EXTREME
// in a late wave as a player sees it: three factories at their top level away from the road, 40
// weapons of every firing type placed by the game's rules and upgraded to their top level beside
// the road, sprays among them, and wave 45 (95 bugs, too tough to die so the load stays the
// same) queued as a wave starts and walked in under fire until its front nears the house.
#pragma once

#include <string>

namespace qwbench {

constexpr short kLateWaveGarden = 1, kLateWaveDifficulty = 2;
// How far (in path steps) the wave's front stops short of the house, and how many frames the
// users of the scene let it walk on before they put it back: about as far as it walks in them.
constexpr float kLateWaveFrontRoom = 2000.0f;
constexpr int kLateWaveFrames = 300;

// Goes to the build's resources folder, starts a game and builds the scene; false with why.
bool BuildLateWave(std::string *why);
// The bugs back at their starting places (the weapons slow them down).
void ResetLateWaveBugs();
// A new game with nothing on the field, waiting for its start.
bool BuildEmptyField(std::string *why);
// The bugs on the field (those still queued off it not counted).
int LateWaveBugCount();

}  // namespace qwbench
