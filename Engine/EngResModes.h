// The display's modes: every full-screen mode of the main display (size and bit depth with
// its refresh rates), one windowed entry for the desktop, and the four anti-aliasing
// choices. Built on construction from the platform half's mode list; discarded after use.
#pragma once

#include "Engine/EngTypes.h"

enum { ENG_RES_MODES_MAX = 512, ENG_RES_MODE_MAX_FREQS = 20, ENG_RES_MODE_FILLED_FREQS = 19 };

struct _EngResMode {
  EngInt32 width;
  EngInt32 height;
  EngInt32 bit_depth;
  EngInt32 num_frequencies;
  EngInt32 frequencies[ENG_RES_MODE_MAX_FREQS];
};
static_assert(sizeof(_EngResMode) == 96, "_EngResMode is a fixed-size record");

// One mode as the platform reports it.
struct _EngDisplayModeInfo {
  EngInt32 width;
  EngInt32 height;
  EngInt32 bit_depth;
  float refresh;
};

class EngResModes {
 public:
  EngResModes();
  ~EngResModes();
  EngResModes(const EngResModes &) = delete;
  EngResModes &operator=(const EngResModes &) = delete;

  void Destroy();
  char GetModesAvailable();
  char IsSetup();
  char AllocModesList(int n);
  int GetNumModes();
  _EngResMode *GetMode(int n);
  _EngResMode *GetWindowedMode();
  char GetClosestFullScreenModeToMode(int *width, int *height, int *bits, int *frequency);
  char EnsureWindowedModeOk(int *width, int *height, int *bits, int *frequency);
  char GetWindowedModeDetails(int *width, int *height, int *bits, int *frequency);
  int GetFullscreenModeNumberFromSettings(int width, int height, int bits);
  int GetFullScreenModeNumberForCurrentFullscreenMode();
  int GetClosestFullScreenModeNumberToCurrentWindowedMode();
  char SetCurrentSettingsToFullscreenModeEntry(int n);
  int GetNumAAEntriesForWindowedMode();
  int GetNumAAEntriesForFullscreenMode(int n);
  _EngResMode *GetCurrentFullscreenOrWindowedModeP();
  int GetNumAAEntriesForMode(const _EngResMode *mode);
  const char *GetFullScreenResModeEntryAsString(int n);
  const char *GetAAEntryForFullscreenModeAsString(int n, int aa);
  const char *GetAAEntryForWindowedModeAsString(int aa);
  const char *GetAAEntryForModeAsString(const _EngResMode *mode, int aa);
  void UseHighestFreqenciesForCalcs_GL(char on) { m_use_highest_frequencies = on; }

 private:
  char GetModesAvailable_GL();
  char GetClosestFullScreenModeToMode_GL(int *width, int *height, int *bits, int *frequency);
  char EnsureWindowedModeOk_GL(int *width, int *height, int *bits, int *frequency);
  char GetWindowedModeDetails_GL(int *width, int *height, int *bits, int *frequency);
  const char *GetAAEntryAsString_GL(int aa);
  int GetNumAAEntries_GL() { return 4; }

  char m_setup = 0;
  EngInt32 m_num_modes = 0;
  _EngResMode *m_modes = nullptr;
  _EngResMode *m_windowed_mode = nullptr;
  char *m_string = nullptr;
  char m_use_highest_frequencies = 0;
};

// The platform half: the main display's modes (count, or -1 when they cannot be read) and
// its current (desktop) mode. Bit depths are counted as the pixel's storage (32 for the
// 24-bit colour that SDL reports for 32-bit formats).
EngInt32 EngResModesGetDisplayModes_MAC(_EngDisplayModeInfo *modes, EngInt32 max);
char EngResModesGetCurrentDisplayMode_MAC(_EngDisplayModeInfo *mode);
// The usable desktop: the display's width and height less 50 when `usable` is set.
char EngMiscGetDesktopDimensions(int *x, int *y, int *width, int *height, char usable);

// Test seam: a display with these modes and this current mode (null current: none). A null
// list goes back to the platform.
void EngResModesSetDisplayForTests(const _EngDisplayModeInfo *modes, EngInt32 count,
                                   const _EngDisplayModeInfo *current);

// The desktop's size from the same mode source as the mode list, so a headless or faked
// display answers consistently; usable leaves room for the desktop's bars.
char EngResModesGetDesktopDimensions(int *x, int *y, int *width, int *height, char usable);
