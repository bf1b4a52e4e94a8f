#include "Engine/Resolution.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"

_Resolution resolution;
_ResolutionModuleInfo res_module_info;

// The file is read here first and copied into the record only once it is accepted.
static _Resolution res_temp_resolution;

enum { NO_VERSION_CHECK = 17, MAX_SIDE = 16384, MAX_FREQUENCY = 1000 };

static_assert(offsetof(_Resolution, show_dialog) == 8, "record layout");
static_assert(offsetof(_Resolution, last_version_check) == 12, "record layout");
static_assert(offsetof(_Resolution, windowed) == 20, "record layout");
static_assert(offsetof(_Resolution, window_x) == 24, "record layout");
static_assert(offsetof(_Resolution, fullscreen_width) == 44, "record layout");
static_assert(offsetof(_Resolution, window_aa) == 60, "record layout");
static_assert(offsetof(_Resolution, fullscreen_aa) == 64, "record layout");
static_assert(offsetof(_Resolution, ttxq_quality) == 68, "record layout");
static_assert(offsetof(_Resolution, language) == 70, "record layout");
static_assert(offsetof(_Resolution, language_chosen) == 134, "record layout");
static_assert(offsetof(_Resolution, reserved_flag_141) == 141, "record layout");
static_assert(offsetof(_Resolution, sound_on) == 143, "record layout");
static_assert(offsetof(_Resolution, reserved_text_144) == 144, "record layout");
static_assert(offsetof(_Resolution, reserved_text_225) == 225, "record layout");
static_assert(offsetof(_Resolution, music_on) == 305, "record layout");
static_assert(offsetof(_Resolution, last_player) == 306, "record layout");
static_assert(offsetof(_Resolution, reserved_340) == 340, "record layout");
static_assert(offsetof(_Resolution, reserved_flag_345) == 345, "record layout");
static_assert(offsetof(_Resolution, reserved_347) == 347, "record layout");
static_assert(sizeof(_EngMiscDate) == 8, "the date is stored in 8 bytes");

static ResolutionDialogCB dialog_for_tests = nullptr;

void ResolutionSetDialogForTests(ResolutionDialogCB dialog) { dialog_for_tests = dialog; }

void ResolutionResetForTests() {
  dialog_for_tests = nullptr;
  memset(&res_module_info, 0, sizeof(res_module_info));
  memset(&resolution, 0, sizeof(resolution));
  memset(&res_temp_resolution, 0, sizeof(res_temp_resolution));
}

static char IsSetUp() { return EngUInt32(res_module_info.program) != 0; }

// ---------------------------------------------------------------------------------------------
// The file's byte layout

void ResolutionWriteRecordToBytes(const _Resolution *r, unsigned char *bytes) {
  EngByteWriter w(bytes, RESOLUTION_FILE_SIZE);
  w.F32(r->settings_version);
  w.F32(r->game_version);
  w.U8(EngUInt8(r->show_dialog));
  w.Bytes(r->reserved_9, sizeof(r->reserved_9));
  w.U32(r->last_version_check.year);
  w.U8(EngUInt8(r->last_version_check.month));
  w.U8(EngUInt8(r->last_version_check.day));
  w.U8(0);
  w.U8(0);
  w.U8(EngUInt8(r->windowed));
  w.Bytes(r->reserved_21, sizeof(r->reserved_21));
  w.I32(r->window_x);
  w.I32(r->window_y);
  w.I32(r->window_width);
  w.I32(r->window_height);
  w.I32(r->window_bitdepth);
  w.I32(r->fullscreen_width);
  w.I32(r->fullscreen_height);
  w.I32(r->fullscreen_bitdepth);
  w.I32(r->fullscreen_frequency);
  w.I32(r->window_aa);
  w.I32(r->fullscreen_aa);
  w.U8(r->ttxq_quality);
  w.U8(r->ctxq_quality);
  w.Bytes(r->language, sizeof(r->language));
  w.U8(EngUInt8(r->language_chosen));
  w.Bytes(r->reserved_135, sizeof(r->reserved_135));
  w.U8(EngUInt8(r->reserved_flag_141));
  w.U8(EngUInt8(r->show_text_viewer));
  w.U8(EngUInt8(r->sound_on));
  w.Bytes(r->reserved_text_144, sizeof(r->reserved_text_144));
  w.Bytes(r->reserved_text_225, sizeof(r->reserved_text_225));
  w.U8(EngUInt8(r->music_on));
  w.Bytes(r->last_player, sizeof(r->last_player));
  w.Bytes(r->reserved_338, sizeof(r->reserved_338));
  w.Bytes(r->reserved_340, sizeof(r->reserved_340));
  w.U8(EngUInt8(r->reserved_flag_345));
  w.U8(EngUInt8(r->reserved_346));
  w.Bytes(r->reserved_347, sizeof(r->reserved_347));
  DebugAssertAlt(w.Ok() && w.At() == RESOLUTION_FILE_SIZE, ENG_FUNC, "Wrote %d bytes", int(w.At()));
}

// A text read from a file ends within its field, whatever the file held.
template <size_t N>
static void EndText(char (&text)[N]) {
  text[N - 1] = 0;
}

void ResolutionReadRecordFromBytes(const unsigned char *bytes, _Resolution *r) {
  memset(r, 0, sizeof(*r));
  EngByteReader in(bytes, RESOLUTION_FILE_SIZE);
  r->settings_version = in.F32();
  r->game_version = in.F32();
  r->show_dialog = char(in.U8());
  in.Bytes(r->reserved_9, sizeof(r->reserved_9));
  r->last_version_check.year = in.U32();
  r->last_version_check.month = char(in.U8());
  r->last_version_check.day = char(in.U8());
  in.U8();
  in.U8();
  r->windowed = char(in.U8());
  in.Bytes(r->reserved_21, sizeof(r->reserved_21));
  r->window_x = in.I32();
  r->window_y = in.I32();
  r->window_width = in.I32();
  r->window_height = in.I32();
  r->window_bitdepth = in.I32();
  r->fullscreen_width = in.I32();
  r->fullscreen_height = in.I32();
  r->fullscreen_bitdepth = in.I32();
  r->fullscreen_frequency = in.I32();
  r->window_aa = in.I32();
  r->fullscreen_aa = in.I32();
  r->ttxq_quality = in.U8();
  r->ctxq_quality = in.U8();
  in.Bytes(r->language, sizeof(r->language));
  r->language_chosen = char(in.U8());
  in.Bytes(r->reserved_135, sizeof(r->reserved_135));
  r->reserved_flag_141 = char(in.U8());
  r->show_text_viewer = char(in.U8());
  r->sound_on = char(in.U8());
  in.Bytes(r->reserved_text_144, sizeof(r->reserved_text_144));
  in.Bytes(r->reserved_text_225, sizeof(r->reserved_text_225));
  r->music_on = char(in.U8());
  in.Bytes(r->last_player, sizeof(r->last_player));
  in.Bytes(r->reserved_338, sizeof(r->reserved_338));
  in.Bytes(r->reserved_340, sizeof(r->reserved_340));
  r->reserved_flag_345 = char(in.U8());
  r->reserved_346 = char(in.U8());
  in.Bytes(r->reserved_347, sizeof(r->reserved_347));
  DebugAssertAlt(in.Ok() && in.At() == RESOLUTION_FILE_SIZE, ENG_FUNC, "Read %d bytes", int(in.At()));
  EndText(r->language);
  EndText(r->reserved_text_144);
  EndText(r->reserved_text_225);
  EndText(r->last_player);
}

// ---------------------------------------------------------------------------------------------
// Set-up and defaults

static void CopyName(char *to, const char *from) { EngSafeStrcpy(to, from ? from : "", RESOLUTION_NAME_SIZE); }

char ResolutionSetupModule(_UpdaterProgramName program, float game_version, float settings_version,
                           ResolutionLinkCB link_cb, char option0, char option1, char option2, char option3,
                           char option4, const char *name0, const char *name1, const char *name2,
                           const char *name3, const char *name4) {
  res_module_info.program = program;
  res_module_info.game_version = game_version;
  res_module_info.settings_version = settings_version;
  res_module_info.link_cb = link_cb;
  const char options[RESOLUTION_NUM_OPTIONS] = {option0, option1, option2, option3, option4};
  memcpy(res_module_info.options, options, sizeof(options));
  const char *names[RESOLUTION_NUM_NAMES] = {name0, name1, name2, name3, name4};
  for (int i = 0; i < RESOLUTION_NUM_NAMES; i++) CopyName(res_module_info.names[i], names[i]);
  return 1;
}

void ResolutionSetDefaultResolution() {
  int display_width = 0, display_height = 0;
  // Without a readable display the full-screen mode falls back to the window's size rather
  // than to a zero size that every later apply would refuse.
  if (!EngResModesGetDesktopDimensions(nullptr, nullptr, &display_width, &display_height, 0)) {
    display_width = 1024;
    display_height = 768;
  }
  _Resolution &r = resolution;
  r.settings_version = res_module_info.settings_version;
  r.game_version = res_module_info.game_version;
  r.show_dialog = 1;
  memset(&r.last_version_check, 0, sizeof(r.last_version_check));
  r.windowed = 0;
  r.window_x = -1;
  r.window_y = -1;
  r.window_width = 1024;
  r.window_height = 768;
  r.window_bitdepth = 32;
  r.fullscreen_width = display_width;
  r.fullscreen_height = display_height;
  r.fullscreen_bitdepth = 32;
  r.fullscreen_frequency = 60;
  r.window_aa = 0;
  r.fullscreen_aa = 0;
  r.ttxq_quality = 1;
  r.ctxq_quality = 1;
  EngSafeStrcpy(r.language, "English", sizeof(r.language));
  r.language_chosen = 1;
  r.reserved_flag_141 = 1;
  r.show_text_viewer = 1;
  r.sound_on = 1;
  r.reserved_text_144[0] = 0;
  r.reserved_text_225[0] = 0;
  r.music_on = 1;
  r.last_player[0] = 0;
  memset(r.reserved_340, 0, sizeof(r.reserved_340));
  r.reserved_flag_345 = 1;
  r.reserved_346 = 0;
}

// ---------------------------------------------------------------------------------------------
// Applying

void ResolutionEnsureWindowedModeNotTooBig() {
  if (!eng_main_window_windowed) return;
  int width = 0, height = 0;
  if (!EngResModesGetDesktopDimensions(nullptr, nullptr, &width, &height, 1)) return;
  if (eng_main_window_width > width) eng_main_window_width = width;
  if (eng_main_window_height > height) eng_main_window_height = height;
}

char ResolutionSetSettings() {
  const _Resolution &r = resolution;
  if (r.window_width <= 0 || r.window_height <= 0 || r.fullscreen_width <= 0 || r.fullscreen_height <= 0 ||
      r.window_bitdepth <= 0 || r.fullscreen_bitdepth <= 0) {
    DebugErrorAlt(ENG_FUNC, "Bad resolution values");
    return 0;
  }
  eng_main_window_windowed = r.windowed;
  if (r.windowed) {
    eng_main_window_width = r.window_width;
    eng_main_window_height = r.window_height;
    eng_main_window_bitdepth = r.window_bitdepth;
    eng_main_window_frequency = 0;
    eng_main_window_aa = r.window_aa;
  } else {
    eng_main_window_width = r.fullscreen_width;
    eng_main_window_height = r.fullscreen_height;
    eng_main_window_bitdepth = r.fullscreen_bitdepth;
    eng_main_window_frequency = r.fullscreen_frequency;
    eng_main_window_aa = r.fullscreen_aa;
  }
  ResolutionEnsureWindowedModeNotTooBig();
  _EngCreateWindowParms *parms = MainGetCreateWindowParms();
  if (parms) {
    parms->windowed = r.windowed;
    if (r.windowed) {
      parms->x = r.window_x;
      parms->y = r.window_y;
    }
    parms->width = eng_main_window_width;
    parms->height = eng_main_window_height;
    parms->bit_depth = eng_main_window_bitdepth;
    parms->frequency = eng_main_window_frequency;
    parms->anti_aliasing = eng_main_window_aa;
  }
  return 1;
}

void ResolutionUpdateSettingsFromCurrent() {
  ResolutionEnsureWindowedModeNotTooBig();
  _Resolution &r = resolution;
  r.windowed = eng_main_window_windowed;
  if (eng_main_window_windowed) {
    int x = 0, y = 0;
    if (eng_main_window && eng_main_window->GetWindowPos(&x, &y)) {
      r.window_x = x;
      r.window_y = y;
    }
    r.window_width = eng_main_window_width;
    r.window_height = eng_main_window_height;
    r.window_bitdepth = eng_main_window_bitdepth;
    r.window_aa = eng_main_window_aa;
  } else {
    r.fullscreen_width = eng_main_window_width;
    r.fullscreen_height = eng_main_window_height;
    r.fullscreen_bitdepth = eng_main_window_bitdepth;
    r.fullscreen_frequency = eng_main_window_frequency;
    r.fullscreen_aa = eng_main_window_aa;
  }
}

void ResolutionSetupFullscreenToggleVars() {
  if (!eng_main_window) return;
  const _Resolution &r = resolution;
  eng_main_window->SetVarsForFullscreenModeToggle(r.window_width, r.window_height, r.window_bitdepth, -1,
                                                  r.window_x, r.window_y, r.fullscreen_width,
                                                  r.fullscreen_height, r.fullscreen_bitdepth,
                                                  r.fullscreen_frequency);
}

void CommonAddResolutionToLogfile(char n) {
  char number[16] = "";
  if (n >= 0) snprintf(number, sizeof(number), " %d", int(n) + 1);
  DebugPlainText("Res%s: [Win: %d  W:%d  H:%d  B:%d  F:%d  AA:%d]", number, int(eng_main_window_windowed),
                 int(eng_main_window_width), int(eng_main_window_height), int(eng_main_window_bitdepth),
                 int(eng_main_window_frequency), int(eng_main_window_aa));
}

// ---------------------------------------------------------------------------------------------
// Loading and saving

static std::string FileName() {
  const char *folder = PrefFolderGetMainFolder();
  if (!folder || !*folder) return std::string();
  std::string path = folder;
  if (path.back() != '/') path += "/";
  return path + "Resolution.dat";
}

static char IsBitDepthOk(EngInt32 bits) { return bits == 16 || bits == 24 || bits == 32; }
static char IsSideOk(EngInt32 side) { return side > 0 && side <= MAX_SIDE; }
static char IsAntiAliasingOk(EngInt32 samples) {
  return samples == 0 || samples == 2 || samples == 4 || samples == 8;
}

// Values that no display takes, or that a later screen would index with, are refused here
// rather than handed to the window.
static char AreLoadedValuesOk(const _Resolution &r) {
  if (r.windowed != 0 && r.windowed != 1) {
    DebugErrorAlt(ENG_FUNC, "Bad windowed flag %d", int(r.windowed));
    return 0;
  }
  if (!IsSideOk(r.window_width) || !IsSideOk(r.window_height) || !IsSideOk(r.fullscreen_width) ||
      !IsSideOk(r.fullscreen_height)) {
    DebugErrorAlt(ENG_FUNC, "Bad sizes: window %d x %d, full screen %d x %d", int(r.window_width),
                  int(r.window_height), int(r.fullscreen_width), int(r.fullscreen_height));
    return 0;
  }
  if (!IsBitDepthOk(r.window_bitdepth) || !IsBitDepthOk(r.fullscreen_bitdepth)) {
    DebugErrorAlt(ENG_FUNC, "Bad bit depths: window %d, full screen %d", int(r.window_bitdepth),
                  int(r.fullscreen_bitdepth));
    return 0;
  }
  if (r.fullscreen_frequency < 0 || r.fullscreen_frequency > MAX_FREQUENCY) {
    DebugErrorAlt(ENG_FUNC, "Bad refresh rate %d", int(r.fullscreen_frequency));
    return 0;
  }
  if (!IsAntiAliasingOk(r.window_aa) || !IsAntiAliasingOk(r.fullscreen_aa)) {
    DebugErrorAlt(ENG_FUNC, "Bad anti-aliasing: window %d, full screen %d", int(r.window_aa),
                  int(r.fullscreen_aa));
    return 0;
  }
  const _EngMiscDate &d = r.last_version_check;
  char never = d.year == 0 && d.month == 0 && d.day == 0;
  if (!never && !EngMiscIsDateValid(&d, 0)) {
    DebugErrorAlt(ENG_FUNC, "Bad date of the last version check %u-%d-%d", unsigned(d.year), int(d.month),
                  int(d.day));
    return 0;
  }
  return 1;
}

// Reads the file into the scratch record; 1 when it is whole, of this version and sane. A file
// that is not there is the first run, not a fault.
static char ReadFile(const std::string &path) {
  EngFile file;
  if (EngFileIsNotRegular(ENG_FUNC, path.c_str()) || !file.OpenForReadingIfExists(path.c_str(), 0)) return 0;
  EngUInt32 size = file.GetSize();
  if (size != RESOLUTION_FILE_SIZE) {
    DebugErrorAlt(ENG_FUNC, "<%s> is %u bytes, not %d: using the defaults", path.c_str(), unsigned(size),
                  int(RESOLUTION_FILE_SIZE));
    return 0;
  }
  unsigned char bytes[RESOLUTION_FILE_SIZE];
  if (file.FRead(bytes, RESOLUTION_FILE_SIZE) != RESOLUTION_FILE_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Could not read <%s>: using the defaults", path.c_str());
    return 0;
  }
  ResolutionReadRecordFromBytes(bytes, &res_temp_resolution);
  // Exact: the version is a stored constant, and a NaN never matches.
  if (!(res_temp_resolution.settings_version == res_module_info.settings_version)) {
    DebugErrorAlt(ENG_FUNC, "<%s> has version %g, not %g: using the defaults", path.c_str(),
                  double(res_temp_resolution.settings_version), double(res_module_info.settings_version));
    return 0;
  }
  if (!AreLoadedValuesOk(res_temp_resolution)) {
    DebugErrorAlt(ENG_FUNC, "<%s> holds bad values: using the defaults", path.c_str());
    return 0;
  }
  return 1;
}

char ResolutionLoadSettings() {
  if (!IsSetUp()) {
    DebugErrorAlt(ENG_FUNC, "Module not setup");
    return 0;
  }
  std::string path = FileName();
  if (!path.empty() && ReadFile(path)) {
    resolution = res_temp_resolution;
    if (ResolutionSetSettings()) return 1;
  }
  ResolutionSetDefaultResolution();
  return 0;
}

static void ShowSaveProblem(const char *signature, const char *title, const char *format, const char *path) {
  char text[1024];
  snprintf(text, sizeof(text), format, path);
  DebugErrorAlt(signature, "%s: %s", title, text);
  EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, title, text);
}

void ResolutionSaveSettings() {
  if (!IsSetUp()) {
    DebugErrorAlt(ENG_FUNC, "Module not setup");
    return;
  }
  resolution.game_version = res_module_info.game_version;
  std::string path = FileName();
  ResolutionEnsureWindowedModeNotTooBig();
  unsigned char bytes[RESOLUTION_FILE_SIZE];
  ResolutionWriteRecordToBytes(&resolution, bytes);

  EngFileSaveResult result =
      path.empty() ? ENG_FILE_SAVE_NOT_CREATED : EngFileSaveAtomically(path.c_str(), 0, [&](EngFile &file) {
        return file.Write(bytes, RESOLUTION_FILE_SIZE) != 0;
      });
  if (result == ENG_FILE_SAVE_NOT_CREATED)
    ShowSaveProblem(ENG_FUNC, "Problem Creating to Resolution File",
                    "Could not create file  %s  . \n\n Ensure the disk is not full and has writing permission.",
                    path.c_str());
  else if (result == ENG_FILE_SAVE_NOT_WRITTEN)
    ShowSaveProblem(ENG_FUNC, "Problem Writing to Resolution File", "Could not write to file  %s  .", path.c_str());
}

// ---------------------------------------------------------------------------------------------
// The weekly version check

static ResolutionWeeklyVersionCheckCB weekly_version_check = nullptr;

void ResolutionSetWeeklyVersionCheckCB(ResolutionWeeklyVersionCheckCB check) { weekly_version_check = check; }

char ResolutionDoWeeklyVersionCheck() {
  if (!IsSetUp()) {
    DebugErrorAlt(ENG_FUNC, "Module not setup");
    return 0;
  }
  if (EngUInt32(res_module_info.program) == NO_VERSION_CHECK || !weekly_version_check) return 0;
  ResolutionLoadSettings();
  char result = weekly_version_check(&resolution.last_version_check, res_module_info.program,
                                            res_module_info.game_version);
  ResolutionSaveSettings();
  return result;
}

// ---------------------------------------------------------------------------------------------
// The start-up display dialog

static ResolutionUpdaterCB updater = nullptr;

void ResolutionSetUpdaterCB(ResolutionUpdaterCB check) { updater = check; }

char ResolutionRunUpdater() {
  if (!updater) {
    DebugErrorAlt(ENG_FUNC, "No update service");
    return 0;
  }
  return updater(res_module_info.program, res_module_info.game_version);
}

char ResolutionDoDialog() {
  if (!IsSetUp()) {
    DebugErrorAlt(ENG_FUNC, "Module not setup");
    return 0;
  }
  ResolutionLoadSettings();
  char result = dialog_for_tests ? dialog_for_tests() : ResolutionDoDialogMac();
  if (result > 0) {
    ResolutionSetSettings();
    ResolutionSaveSettings();
  }
  return result;
}
