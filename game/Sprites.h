// The play field's sprites drawn in batches: between SpritesBegin and SpritesFlush each sprite
// is placed on the CPU the way QuarrelwickSetupPosAndZRotMatrices would place it and kept;
// the flush draws layer by layer, each texture's sprites of a layer in one engine draw (in the
// order the textures were first used), which draws each over its picture's outline as the game
// draws a frame. Outside a batch a sprite is drawn at once.
#pragma once

#include "Engine/EngTypes.h"

class EngTexture;
struct _TexCoords;

enum { SPRITES_LAYERS = 4 };

void SpritesBegin();
// The picture (or its part; null for the whole) as the square of half size `half` at
// play-field point (x, y), turned by angle about the offset (ox, oy) as the play field turns
// its sprites, squashed when asked, tinted by the colour.
void SpritesAdd(int layer, EngTexture *tex, float x, float y, float ox, float oy, float angle, char squash, float half,
                const _TexCoords *part, float r, float g, float b, float a);
// The same for any rectangle placed as PositionPure places it (x, y, width, height).
void SpritesAddRect(int layer, EngTexture *tex, float x, float y, float ox, float oy, float angle, char squash,
                    float rx, float ry, float rw, float rh, const _TexCoords *part, float r, float g, float b,
                    float a);
void SpritesFlush();
// Sprites drawn since the start, batched or not (the benchmarks' cost per sprite).
long SpritesGetDrawnCount();
// A picture about to be deleted: its batches go with it. Batches are found by the picture's
// address, so one left behind would take in whichever picture is made there next and keep its
// sprite list's room for good.
void SpritesForgetTexture(const EngTexture *tex);
// Batches kept over all layers, with sprites or not.
long SpritesGetBatchCount();
// Kept sprites are dropped (tests call it between cases).
void SpritesResetForTests();
