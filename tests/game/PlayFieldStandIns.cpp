// Test stand-ins for what the play field reaches of the game object.
#include "game/Quarrelwick.h"
#include "game/Weapons.h"

EngFont *GameGetMainFont() { return nullptr; }
Game *GameGetMainGame() { return nullptr; }
