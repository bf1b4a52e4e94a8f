// Test stand-ins for what the play field reaches of the game object, the player record and
// the game's sounds; they record their calls for the tests.
#include "tests/game/PlayFieldStandIns.h"

#include "game/Bugs.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"

namespace qwtest {
std::vector<int> sounds_played;
int tutorial_clears = 0;
}  // namespace qwtest

EngFont *GameGetMainFont() { return nullptr; }
void SoundPlay(int id) { qwtest::sounds_played.push_back(id); }
void GameClearUserTutorialOn() { qwtest::tutorial_clears++; }
Game *GameGetMainGame() { return nullptr; }
