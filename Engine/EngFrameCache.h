// A copy of a drawn frame kept beside the window, so that a frame whose still parts have not
// changed restores them with one copy instead of drawing them again. Needs framebuffer objects;
// without them (or with another device kind) nothing is kept and callers draw everything.
#pragma once

#include "Engine/EngTypes.h"

// Frames are kept apart by use: the still screens' last frame, the play field's still layers.
enum { ENG_FRAME_CACHE_STILL_SCREEN = 0, ENG_FRAME_CACHE_FIELD_LAYERS = 1, ENG_FRAME_CACHES = 2 };

// Copies the whole drawn frame (the back buffer); 0 when no copy could be kept.
char EngFrameCacheSave(int slot);
// Puts the kept frame back over the whole window; 0 when none is kept for this window size.
char EngFrameCacheRestore(int slot);
// Puts back only an area (640 by 480 design units over the window) and leaves the device cropped
// to it, so that what is drawn next over the area leaves the rest of the shown frame as it was;
// the caller turns the crop off. 0 (and no crop) when nothing is kept for this window size.
// Only a software rasteriser, whose swap copies and keeps the back buffer, gets just the area
// back; elsewhere (where the whole copy is cheap) the whole frame is put back.
char EngFrameCacheRestoreArea(int slot, float x, float y, float w, float h);
char EngFrameCacheIsValid(int slot);
// The next restore fails until a new save: what was kept no longer matches the screen.
void EngFrameCacheInvalidate(int slot);
void EngFrameCacheDeleteGraphics();

char EngFrameCacheSave_GL(int slot);
char EngFrameCacheRestore_GL(int slot);
char EngFrameCacheRestoreArea_GL(int slot, float x, float y, float w, float h);
char EngFrameCacheIsValid_GL(int slot);
void EngFrameCacheInvalidate_GL(int slot);
void EngFrameCacheDeleteGraphics_GL();
