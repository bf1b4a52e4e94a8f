// The toolkit's few uses of whole-screen textures (collection backgrounds, the background
// clear image): loading one positioned over the 640 by 480 design space, drawing and releasing.
#pragma once

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinTypes.h"

// A new texture positioned at (0, 0, 640, 480), or null when the file does not load.
EngTexture *MWinLoadTextureRatioed(const char *file, char with_alpha, char alpha_mode, EngUInt8 file_type);
EngTexture *MWinLoadJpegTextureRatioed(const char *file);
// Positions the texture at (0, 0, 640, 480) in design units.
void MWinPositionTextureFullScreen(EngTexture *texture);
void MWinDrawTexture(EngTexture *texture);
void MWinDrawTextureRatioed(EngTexture *texture, float x, float y, float w, float h);
// Destroys and deletes the texture and empties the pointer.
void MWinReleaseTexture(EngTexture **texture);
