#include "Engine/EngMain.h"
