#include "game/Program.h"
