// The display settings: one fixed 412-byte record kept in memory and in "Resolution.dat" of the
// per-user data folder, with the window and full-screen modes and a few start-up values that
// screens change in place. Loads, checks, defaults, applies and saves it; runs the weekly check.
#pragma once

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"

// The update service's program names; the full list belongs to the update service.
enum _UpdaterProgramName : EngUInt32;

// The web links the start-up display dialog can open.
enum _ResolutionLinkType : EngInt32 {
  RESOLUTION_LINK_HOME = 1,
  RESOLUTION_LINK_FORUM = 2,
  RESOLUTION_LINK_LK01 = 4,
  RESOLUTION_LINK_LK02 = 5,
  RESOLUTION_LINK_LK03 = 6,
  RESOLUTION_LINK_LK04 = 7,
};
typedef const char *(*ResolutionLinkCB)(_ResolutionLinkType type);

enum {
  RESOLUTION_FILE_SIZE = 412,
  RESOLUTION_NAME_SIZE = 32,
  RESOLUTION_NUM_OPTIONS = 5,
  RESOLUTION_NUM_NAMES = 5,
  RESOLUTION_LANGUAGE_SIZE = 64,
  RESOLUTION_PLAYER_NAME_SIZE = 32,
};

// Laid out as the file is, so that a field's offset is the same in memory and on disk; the file
// is still written and read field by field, little-endian.
struct _Resolution {
  float settings_version;
  float game_version;  // of the program that last saved
  char show_dialog;    // show the start-up display dialog at the next start
  char reserved_9[3];
  _EngMiscDate last_version_check;  // all zero: never
  char windowed;
  char reserved_21[3];
  EngInt32 window_x;  // -1 centres
  EngInt32 window_y;
  EngInt32 window_width;
  EngInt32 window_height;
  EngInt32 window_bitdepth;
  EngInt32 fullscreen_width;
  EngInt32 fullscreen_height;
  EngInt32 fullscreen_bitdepth;
  EngInt32 fullscreen_frequency;
  EngInt32 window_aa;  // samples: 0, 2, 4 or 8
  EngInt32 fullscreen_aa;
  EngUInt8 ttxq_quality;  // 0..2
  EngUInt8 ctxq_quality;  // 0..3
  char language[RESOLUTION_LANGUAGE_SIZE];  // in English
  char language_chosen;
  char reserved_135[6];
  char reserved_flag_141;
  char show_text_viewer;
  char sound_on;
  char reserved_text_144[81];
  char reserved_text_225[80];
  char music_on;
  char last_player[RESOLUTION_PLAYER_NAME_SIZE];  // "" when none
  char reserved_338[2];
  char reserved_340[5];
  char reserved_flag_345;
  char reserved_346;
  char reserved_347[65];
};
static_assert(sizeof(_Resolution) == RESOLUTION_FILE_SIZE, "the display settings record is 412 bytes");

struct _ResolutionModuleInfo {
  _UpdaterProgramName program;  // 0: not set up; 17: no version check
  float game_version;
  float settings_version;
  ResolutionLinkCB link_cb;
  char options[RESOLUTION_NUM_OPTIONS];
  char names[RESOLUTION_NUM_NAMES][RESOLUTION_NAME_SIZE];
};

extern _Resolution resolution;
extern _ResolutionModuleInfo res_module_info;

// Options: unused, music choice, sound choice, 'TTXQ' choice, 'CTXQ' choice. Names: the
// dialogs' interface file, the text viewer's window, its text file, the display dialog's
// window, the title picture.
char ResolutionSetupModule(_UpdaterProgramName program, float game_version, float settings_version,
                           ResolutionLinkCB link_cb, char option0, char option1, char option2, char option3,
                           char option4, const char *name0, const char *name1, const char *name2,
                           const char *name3, const char *name4);
// 1 when the file was accepted and applied; otherwise the record holds the defaults (not applied).
char ResolutionLoadSettings();
// Atomic; a failure is shown in a popup and keeps the old file.
void ResolutionSaveSettings();
// Applies the record to the display globals and the program's window-creation parameters.
char ResolutionSetSettings();
void ResolutionSetDefaultResolution();
void ResolutionEnsureWindowedModeNotTooBig();
void ResolutionUpdateSettingsFromCurrent();
void ResolutionSetupFullscreenToggleVars();
// Non-zero: start-up is to end (a newer version is being fetched).
char ResolutionDoWeeklyVersionCheck();
void CommonAddResolutionToLogfile(char n);
// Loads, shows the start-up display dialog (the licence text first while it is to be shown),
// and applies and saves on Start: 1 Start, -1 closed or the text declined, 0 the dialog could
// not be built (the loaded settings stand).
char ResolutionDoDialog();
// The native dialog itself (platform half).
char ResolutionDoDialogMac();

// The record as the file holds it, and back (the parse forces the texts to end in their fields).
void ResolutionWriteRecordToBytes(const _Resolution *record, unsigned char *bytes);
void ResolutionReadRecordFromBytes(const unsigned char *bytes, _Resolution *record);

// The update service's weekly check: 0 when the date is under a week old, else it stores
// today's date in place and returns the check's result. The game registers the online
// services' check at start-up; the engine never links to them. Without one, no check runs.
typedef char (*ResolutionWeeklyVersionCheckCB)(_EngMiscDate *last_check, _UpdaterProgramName program,
                                               float version);
void ResolutionSetWeeklyVersionCheckCB(ResolutionWeeklyVersionCheckCB check);
// The update service's version check and download, run by the dialog's new-version button.
typedef char (*ResolutionUpdaterCB)(_UpdaterProgramName program, float version);
void ResolutionSetUpdaterCB(ResolutionUpdaterCB updater);
// Runs it with the module's program and version; 0 when none is registered.
char ResolutionRunUpdater();

// Forgets the module parameters and zeroes the record (and the dialog set for tests).
void ResolutionResetForTests();
// Shows this in place of the native dialog (nullptr: the native one again); it answers as
// ResolutionDoDialogMac does.
typedef char (*ResolutionDialogCB)();
void ResolutionSetDialogForTests(ResolutionDialogCB dialog);
