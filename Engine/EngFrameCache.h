// A copy of a drawn frame kept beside the window, so that a frame whose still parts have not
// changed restores them with one copy instead of drawing them again. Needs framebuffer objects;
// without them (or with another device kind) nothing is kept and callers draw everything.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

// Frames are kept apart by use: the still screens' last frame, the play field's still layers.
enum { ENG_FRAME_CACHE_STILL_SCREEN = 0, ENG_FRAME_CACHE_FIELD_LAYERS = 1, ENG_FRAME_CACHES = 2 };

// Copies the whole drawn frame (the back buffer); 0 when no copy could be kept.
char EngFrameCacheSave(int slot);
// Puts the kept frame back over the whole window; 0 when none is kept for this window size.
char EngFrameCacheRestore(int slot);
// For a frame that differs from the kept one only in an area (640 by 480 design units over the
// window), and from the frame shown last only in a part of it. Where the back buffer is known
// to hold a frame shown since the kept frame was last put back, with the same area drawn over
// (the driver's buffer age says so, or the last frame was shown by copying a part of it), only
// the part is put back (the whole area when the back buffer holds an older frame than the last
// shown), and the device's drawing is left limited to it, crops and all, so that what is drawn
// next leaves the rest as it was (2; the caller stops the limit). Otherwise the whole kept frame
// is put back, with no limit, and all that belongs over it is drawn again (1). 0 when nothing is
// kept for this window size.
// Where the window shows the kept frame with only the area drawn over and the driver can copy a
// part of the back buffer to the window (GLX_MESA_copy_sub_buffer), the frame is then shown by
// copying the part alone, which leaves the back buffer as it is.
char EngFrameCacheRestorePart(int slot, const _Dimension *area, const _Dimension *part);
char EngFrameCacheRestoreArea(int slot, float x, float y, float w, float h);
char EngFrameCacheIsValid(int slot);
// The next restore fails until a new save: what was kept no longer matches the screen.
void EngFrameCacheInvalidate(int slot);
void EngFrameCacheDeleteGraphics();
// The window may have lost what it showed (it was uncovered): the next frame is shown whole.
void EngFrameCacheShowWholeNextFrame();
// Every frame shown is counted: the buffer age is given in swaps. The device shows a frame by
// copying the part that changed when this answers 1, else swaps and notes the swap.
char EngFrameCacheShowChangedPartOnly_GL();
void EngFrameCacheNoteSwap_GL();
// Whether a back buffer of the given age (-1: the driver gives none; 0: undefined contents)
// holds one of the frames shown run_first to run_last (0: none), the frame being drawn being
// shown as number next_shown.
char EngFrameCacheBackBufferHoldsRun(EngInt32 age, EngUInt32 next_shown, EngUInt32 run_first, EngUInt32 run_last);
// Tests stand in their own driver: its buffer age and its copy of a part of the back buffer to
// the window (x, y from the bottom left; 0 when it cannot). Null gives the driver's back.
void EngFrameCacheSetWindowForTests(EngInt32 (*age)(), char (*copy)(EngInt32, EngInt32, EngInt32, EngInt32));

char EngFrameCacheSave_GL(int slot);
char EngFrameCacheRestore_GL(int slot);
char EngFrameCacheRestorePart_GL(int slot, const _Dimension *area, const _Dimension *part);
char EngFrameCacheIsValid_GL(int slot);
void EngFrameCacheInvalidate_GL(int slot);
void EngFrameCacheDeleteGraphics_GL();
