// Test stand-ins for what the play field reaches of the game object.
#include "game/Quarrelwick.h"

EngFont *GameGetMainFont() { return nullptr; }
