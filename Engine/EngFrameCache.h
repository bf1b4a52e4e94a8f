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
// For a frame that differs from the kept one only in an area (640 by 480 design units over the
// window). Where the driver's buffer age says that the back buffer still holds such a frame,
// shown since the kept frame was last put back, with the same area drawn over, only the area is
// put back and the device is left cropped to it, so that what is drawn next leaves the rest as
// it was (2; the caller turns the crop off). Otherwise the whole kept frame is put back, without
// a crop, and all that belongs over it is drawn again (1). 0 when nothing is kept for this size.
char EngFrameCacheRestoreArea(int slot, float x, float y, float w, float h);
char EngFrameCacheIsValid(int slot);
// The next restore fails until a new save: what was kept no longer matches the screen.
void EngFrameCacheInvalidate(int slot);
void EngFrameCacheDeleteGraphics();
// Every swap of the window's buffers is counted: the buffer age is given in swaps.
void EngFrameCacheNoteSwap_GL();
// Whether a back buffer of the given age (-1: the driver gives none; 0: undefined contents)
// holds one of the frames shown by swaps run_first to run_last (0: none), the frame being drawn
// being shown by swap next_swap.
char EngFrameCacheBackBufferHoldsRun(EngInt32 age, EngUInt32 next_swap, EngUInt32 run_first, EngUInt32 run_last);
// Tests stand in their own answer for the driver's buffer age (null gives the driver's back).
void EngFrameCacheSetBackBufferAgeQueryForTests(EngInt32 (*query)());

char EngFrameCacheSave_GL(int slot);
char EngFrameCacheRestore_GL(int slot);
char EngFrameCacheRestoreArea_GL(int slot, float x, float y, float w, float h);
char EngFrameCacheIsValid_GL(int slot);
void EngFrameCacheInvalidate_GL(int slot);
void EngFrameCacheDeleteGraphics_GL();
