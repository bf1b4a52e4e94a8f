// The least that the game object needs of modules that are not built yet: menu screens.
// Each answers success and does nothing; each goes when its module lands.
#pragma once

#include "Engine/EngTypes.h"

// Menu screens (their controllers belong to the screens table).
// The garden selection's pictures, one a garden, which the high-score screen shows too.
class EngTexture;
extern EngTexture sc_texs[4];
char SelectControlCreateGraphics();
void SelectControlDestroyGraphics();

