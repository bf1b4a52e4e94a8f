// The engine's platform utilities: message boxes and the emergency exit, closing the
// program, sleeping, the desktop's size, the user's standard folders and the per-user data
// root, the user and system names, memory and processor use, and the pointer speed.
// The platform halves are in MAC/EngMisc*_MAC.cpp (SDL2, Xlib and POSIX).
#pragma once

#include "Engine/EngTypes.h"

enum _EngMiscPopupType : EngInt32 {
  ENG_MISC_POPUP_NONE = 0,
  ENG_MISC_POPUP_INFORMATION = 1,
  ENG_MISC_POPUP_WARNING = 2,
  ENG_MISC_POPUP_ERROR = 3,
};

void EngMiscSetPopupMessageTexts(_EngMiscPopupType type, const char *title, const char *text);
char EngMiscArePopupMessageTextsSet();
void EngMiscShowPopupMessage(_EngMiscPopupType type, const char *title, const char *text);
void EngMiscShowPopupMessage_MAC(_EngMiscPopupType type, const char *title, const char *text);
char EngMiscExitProgramNow(char return_instead);
void EngMiscCloseProgram();

void EngMiscCallPlatformSleepFunc(double seconds);
char EngMiscSleep(double seconds);
void EngMiscSleepWithHang(double seconds);
void EngMiscRenderAndSwapBuffers(char render, char measure);
void EngMiscOutputFrameRatePeriodically();
void EngMiscShowFrameRatePeriodically_MAC(const char *process_name);

// Desktop, window and system.
char EngMiscGetDesktopDimensions(int *x, int *y, int *width, int *height, char leave_room);
char EngMiscMoveMainWindow(int x, int y);
char EngMiscGetDefaultUsersName(char *buffer, int size);
char EngMiscGetDefaultUsersName_MAC(char *buffer, int size);
// The kernel version from uname as (major << 16) | (minor << 8) | patch.
long EngMiscGetOsxVersion_MAC();
long EngUtilsGetOsxVersion_MAC();
char EngMiscGetProgramsMemoryUsageMB(float *megabytes);
// The window's native half registers its SDL_Window here (null when it goes), so the
// utilities can move it and reach its X display.
void EngMiscSetMainNativeWindow_MAC(void *sdl_window);
void *EngMiscGetMainNativeWindow_MAC();
// A quit was asked for (SIGINT, SIGTERM, or a quit event waiting): native dialog loops, which
// run outside the main loop, end on it.
char EngMiscQuitRequested_MAC();

// Folders: each path goes into the caller's buffer; 1 on success, 0 on failure (a path
// that does not fit is a failure).
char EngMiscGetDesktopDirectory(char *buffer, int size);
// The Desktop as above, made (with any missing parents) when it does not exist yet.
char EngMiscCreateDesktopDirectoryIfNeeded(char *buffer, int size);
char EngMiscGetDocumentsDirectory(char *buffer, int size);
char EngMiscGetApplicationsDirectory(char *buffer, int size);
char EngMiscGetTrashDirectory(char *buffer, int size);
char EngMiscGetUserPhotosFolder(char *buffer, int size);
char EngMiscGetUserFontsDirectory_MAC(char *buffer, int size);
char EngMiscGetDownloadsDirectory(char *buffer, int size);
// $XDG_DATA_HOME (default ~/.local/share) with the application-support switch on, else
// $XDG_CONFIG_HOME (default ~/.config).
char EngMiscGetUserApplicationDataDirectory(char *buffer, int size);
void EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(char on);
char EngMiscIsApplicationsSupportDirectoryBeingUsed();
char EngMiscGetUserApplicationDataSubDirectory(const char *sub, char *buffer, int size);
char EngMiscCreateUserApplicationDataSubDirectoryIfNeeded(const char *sub, char *buffer, int size);
char EngMiscGetUserApplicationDataSubSubDirectory(const char *sub, const char *subsub, char *buffer, int size);
char EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded(const char *sub, const char *subsub, char *buffer,
                                                             int size);
char EngMiscGetCurrentDirectory(char *buffer, int size);
void EngMiscOutputCurrentDirectory();
// A new copy (free()) of the path with a leading '~' expanded, or null when nothing matches.
char *CreatePathByExpandingTildePath(const char *path);

// Pointer speed. On X11 both fields hold the one pointer acceleration of the display.
struct _EngMiscCursorSpeed {
  double trackpad_speed;
  double mouse_speed;
};
enum { ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS = 11 };
extern const double eng_misc_standard_cursor_speeds[ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS];
char EngMiscGetCursorSpeed(_EngMiscCursorSpeed *speed);
char EngMisChangeCursorSpeed(_EngMiscCursorSpeed *speed, int steps);
char EngMiscSetCursorSpeed(_EngMiscCursorSpeed speed);
char EngMiscGetCursorSpeed_MAC(_EngMiscCursorSpeed *speed);
char EngMiscChangeCursorSpeed_MAC(_EngMiscCursorSpeed *speed, int steps);
char EngMiscSetCursorSpeed_MAC(_EngMiscCursorSpeed speed);

// Where popups go. The default shows an SDL message box when a display is there, else
// writes to standard error; under QUARRELWICK_NONINTERACTIVE it never waits for anyone.
typedef void (*EngMiscPopupHandler)(_EngMiscPopupType type, const char *title, const char *text);
void EngMiscSetPopupHandlerForTests(EngMiscPopupHandler handler);
// A yes/no question (OK is the default answer); non-interactive runs answer with the default.
char EngMiscAskOkCancel_MAC(const char *title, const char *text);
// Opens a text file in the user's viewer (xdg-open, no shell).
void EngMiscOpenFileInViewer_MAC(const char *path);
// Test seam: the name the password database would give; null restores the real look-up.
void EngMiscSetUserNameForTests(const char *name);
void EngMiscResetForTests();
void EngMiscResetPlatformForTests_MAC();
// The user's locale identifier ("de_DE.UTF-8") from the first non-empty of LC_ALL,
// LC_MESSAGES and LANG, copied into the buffer. 1 when it fits (an empty text when none is
// set); 0 with an empty buffer when it is longer than size - 1 or the arguments are bad.
char EngMiscGetLocaleIdentifier_MAC(char *buffer, int size);
// Test seam: with on set the three variables read as given (null = unset) instead of the
// environment; 0 goes back to the environment.
void EngMiscSetLocaleVariablesForTests(char on, const char *lc_all, const char *lc_messages, const char *lang);
