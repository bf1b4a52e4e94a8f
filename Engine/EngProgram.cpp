#include "Engine/EngProgram.h"
