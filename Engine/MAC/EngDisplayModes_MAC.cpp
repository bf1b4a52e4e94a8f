// The main display's modes through SDL2. A headless window has a pretend 1280 by 1024
// desktop so that mode changes run the same way without a display.
#include "Engine/EngResModes.h"

#include <SDL.h>

#include "Engine/EngDebug.h"
#include "Engine/MAC/EngWindowPlatform_MAC.h"

static const _EngDisplayModeInfo headless_modes[] = {
    {640, 480, 32, 60.0f}, {800, 600, 32, 60.0f}, {1024, 768, 32, 60.0f}, {1280, 1024, 32, 60.0f}};

// SDL calls a 32-bit pixel of 24 colour bits a 24-bit format; stored settings count it as 32.
static EngInt32 BitsOf(Uint32 format) {
  if (SDL_BYTESPERPIXEL(format) == 4) return 32;
  return EngInt32(SDL_BITSPERPIXEL(format));
}

static void Fill(_EngDisplayModeInfo *out, const SDL_DisplayMode &mode) {
  out->width = mode.w;
  out->height = mode.h;
  out->bit_depth = BitsOf(mode.format);
  out->refresh = float(mode.refresh_rate);
}

EngInt32 EngResModesGetDisplayModes_MAC(_EngDisplayModeInfo *modes, EngInt32 max) {
  int video = EngWindowVideoState_MAC();
  if (video < 0) return -1;
  if (video == 0) {
    EngInt32 n = 0;
    for (const _EngDisplayModeInfo &m : headless_modes)
      if (n < max) modes[n++] = m;
    return n;
  }
  int count = SDL_GetNumDisplayModes(0);
  if (count < 0) {
    DebugErrorAlt(ENG_FUNC, "SDL_GetNumDisplayModes failed [%s]", SDL_GetError());
    return -1;
  }
  EngInt32 n = 0;
  for (int i = 0; i < count && n < max; i++) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0) Fill(&modes[n++], mode);
  }
  return n;
}

char EngResModesGetCurrentDisplayMode_MAC(_EngDisplayModeInfo *mode) {
  int video = EngWindowVideoState_MAC();
  if (video < 0) return 0;
  if (video == 0) {
    *mode = headless_modes[3];
    return 1;
  }
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 0;
  Fill(mode, desktop);
  return 1;
}
