#include "Engine/EngFile.h"
