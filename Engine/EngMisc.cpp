#include "Engine/EngMisc.h"
