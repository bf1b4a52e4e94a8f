// Headless native half: no native window yet, so there is nothing to create or pump.
#include "Engine/EngWindow.h"

char EngWindowCreateNative_MAC(EngWindow *, const _EngCreateWindowParms *) { return 1; }
void EngWindowDestroyNative_MAC(EngWindow *) {}
int EngWindowPumpEvents_MAC(EngWindow *) { return 1; }
