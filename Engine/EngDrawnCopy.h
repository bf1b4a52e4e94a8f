// A copy of the whole drawn back buffer kept beside the window, put back with one copy instead
// of drawing again what it holds (the play field's garden and shop column, which only a texture
// change alters). Needs framebuffer objects and a window that is not multisampled; without them
// (or with another device kind, or once OpenGL refused a copy in this context) nothing is kept
// and callers draw everything.
#pragma once

#include "Engine/EngTypes.h"

// Copies the whole back buffer; 0 when no copy could be kept.
char EngDrawnCopySave();
// Puts the copy back over the whole back buffer; 0 when none is kept for this window size, or
// when OpenGL refused the copy (the back buffer is then as it was).
char EngDrawnCopyRestore();
char EngDrawnCopyIsValid();
// The next restore fails until a new save: what was kept no longer matches the screen.
void EngDrawnCopyInvalidate();
// Also run when the context goes: its names die with it.
void EngDrawnCopyDeleteGraphics();

char EngDrawnCopySave_GL();
char EngDrawnCopyRestore_GL();
char EngDrawnCopyIsValid_GL();
void EngDrawnCopyInvalidate_GL();
void EngDrawnCopyDeleteGraphics_GL();
// While on, OpenGL is made to refuse every copy with an error.
void EngDrawnCopyFailBlitsForTests(char on);
