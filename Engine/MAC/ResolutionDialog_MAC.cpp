// The start-up display dialog and the licence viewer before it, both native windows from the
// display-settings module's interface file.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngResModes.h"
#include "Engine/EngVarious.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "Engine/Resolution.h"

enum {
  LICENSE_MAX_BYTES = 64 * 1024,
  MENU_TEXT_SIZE = 64,
};

static EngResModes *r_modes = nullptr;
static EngGuiWindowRef r_window = nullptr;
static EngGuiHandlerRef r_handler = nullptr;
static EngGuiControlRef r_picture = nullptr, r_mode = nullptr, r_res = nullptr, r_freq = nullptr, r_anti = nullptr,
                        r_sound = nullptr, r_music = nullptr, r_ctxq = nullptr, r_ttxq = nullptr, r_start = nullptr,
                        r_new_version = nullptr;
static EngGuiMenuRef r_res_menu = nullptr, r_freq_menu = nullptr, r_anti_menu = nullptr, r_sound_menu = nullptr,
                     r_music_menu = nullptr, r_ctxq_menu = nullptr, r_ttxq_menu = nullptr;
static char r_music_uses_ctxq = 0;
static char r_start_pressed = 0;
static EngGuiWindowRef r_license_window = nullptr;
static EngGuiHandlerRef r_license_handler = nullptr;
static signed char r_license_accepted = -1;

static char OptionMusic() { return res_module_info.options[1]; }
static char OptionSound() { return res_module_info.options[2]; }
static char OptionTtxq() { return res_module_info.options[3]; }
static char OptionCtxq() { return res_module_info.options[4]; }

static std::string FourCCText(EngUInt32 code) {
  char text[5] = {char(code >> 24), char(code >> 16), char(code >> 8), char(code), 0};
  return text;
}

static void ForgetControls() {
  r_picture = r_mode = r_res = r_freq = r_anti = r_sound = r_music = r_ctxq = r_ttxq = r_start = r_new_version =
      nullptr;
  r_res_menu = r_freq_menu = r_anti_menu = r_sound_menu = r_music_menu = r_ctxq_menu = r_ttxq_menu = nullptr;
  r_music_uses_ctxq = 0;
}

// ---------------------------------------------------------------------------------------------
// Menus and controls

static void FillMenu(EngGuiControlRef control, EngGuiMenuRef menu, const char *const *items, int count) {
  if (!control || !menu) return;
  int keep = EngGuiGetPopupControlCurrentSelection_MAC(control);
  EngGuiResetMenu_MAC(menu);
  for (int i = 0; i < count; i++) EngGuiAddStringToMenu_MAC(menu, items[i]);
  EngGuiSyncPopupButtonToMenu_MAC(control);
  if (keep >= 0 && keep < count) EngGuiSetPopupControlCurrentSelection_MAC(control, keep);
}

static void FillOffOnMenu(EngGuiControlRef control, EngGuiMenuRef menu) {
  const char *items[] = {EngLanguagesGetStringIfExists("RES_OFF", "Off"),
                         EngLanguagesGetStringIfExists("RES_ON", "On")};
  FillMenu(control, menu, items, 2);
}

static void FillResolutionMenu() {
  EngGuiResetMenu_MAC(r_res_menu);
  int count = r_modes ? r_modes->GetNumModes() : 0;
  for (int i = 0; i < count; i++) {
    const _EngResMode *mode = r_modes->GetMode(i);
    if (!mode) continue;
    char text[MENU_TEXT_SIZE];
    snprintf(text, sizeof(text), "%d x %d x %d", int(mode->width), int(mode->height), int(mode->bit_depth));
    EngGuiAddStringToMenu_MAC(r_res_menu, text);
  }
  if (count < 1)
    EngGuiAddStringToMenu_MAC(r_res_menu, EngLanguagesGetStringIfExists("RES_NO_MODES", "No Resolution Modes"));
  EngGuiSyncPopupButtonToMenu_MAC(r_res);
}

static void FillAntiAliasingMenu() {
  char low[MENU_TEXT_SIZE], med[MENU_TEXT_SIZE], high[MENU_TEXT_SIZE];
  snprintf(low, sizeof(low), "%s [2x2]", EngLanguagesGetStringIfExists("RES_AA_LOW", "Low"));
  snprintf(med, sizeof(med), "%s [4x4]", EngLanguagesGetStringIfExists("RES_AA_MED", "Med"));
  snprintf(high, sizeof(high), "%s [8x8]", EngLanguagesGetStringIfExists("RES_AA_HIGH", "High"));
  const char *items[] = {EngLanguagesGetStringIfExists("RES_OFF", "Off"), low, med, high};
  FillMenu(r_anti, r_anti_menu, items, 4);
}

// The refresh-rate menu of a mode: the item equal to the record's rate is chosen, else the last;
// the list is enabled only when there is a choice.
static void FillFrequencyMenu(const _EngResMode *mode) {
  EngGuiResetMenu_MAC(r_freq_menu);
  int chosen = -1;
  for (int i = 0; i < mode->num_frequencies && i < ENG_RES_MODE_MAX_FREQS; i++) {
    char text[MENU_TEXT_SIZE];
    snprintf(text, sizeof(text), "%d Hz", int(mode->frequencies[i]));
    EngGuiAddStringToMenu_MAC(r_freq_menu, text);
    if (mode->frequencies[i] == resolution.fullscreen_frequency) chosen = i;
  }
  EngGuiSyncPopupButtonToMenu_MAC(r_freq);
  int count = EngGuiGetMenuCount_MAC(r_freq_menu);
  EngGuiSetPopupControlCurrentSelection_MAC(r_freq, chosen >= 0 ? chosen : count - 1);
  EngGuiEnableControl_MAC(r_freq, count > 1);
}

static int FindMenuItem(EngGuiMenuRef menu, const char *text) {
  int count = EngGuiGetMenuCount_MAC(menu);
  for (int i = 0; i < count; i++) {
    char item[MENU_TEXT_SIZE];
    EngGuiGetMenuItemString_MAC(menu, i, item, sizeof(item));
    if (strcmp(item, text) == 0) return i;
  }
  return -1;
}

static int AntiAliasingItem(EngInt32 samples) {
  return samples == 2 ? 1 : samples == 4 ? 2 : samples == 8 ? 3 : 0;
}

static void ResolutionActivateButtons(char) {
  _Resolution &r = resolution;
  EngGuiEnableControl_MAC(r_res, 1);
  EngGuiEnableControl_MAC(r_freq, 1);
  EngGuiEnableControl_MAC(r_mode, 1);
  EngGuiSetPopupControlCurrentSelection_MAC(r_anti, AntiAliasingItem(r.windowed ? r.window_aa : r.fullscreen_aa));
  if (r_music) EngGuiSetPopupControlCurrentSelection_MAC(r_music, r.music_on != 0);
  if (r_sound) EngGuiSetPopupControlCurrentSelection_MAC(r_sound, r.sound_on != 0);
  if (r_ctxq && !r_music_uses_ctxq) {
    int q = r.ctxq_quality;
    EngGuiSetPopupControlCurrentSelection_MAC(r_ctxq, q == 2 ? 2 : q == 3 ? 3 : q == 0 ? 0 : 1);
  }
  if (r_ttxq) EngGuiSetPopupControlCurrentSelection_MAC(r_ttxq, r.ttxq_quality == 2 ? 2 : r.ttxq_quality == 1 ? 1 : 0);

  if (!r_modes) {
    DebugErrorAlt(ENG_FUNC, "No modes.");
    return;
  }
  int width = r.fullscreen_width, height = r.fullscreen_height, bits = r.fullscreen_bitdepth,
      frequency = r.fullscreen_frequency;
  r_modes->GetClosestFullScreenModeToMode(&width, &height, &bits, &frequency);
  r.fullscreen_width = width;
  r.fullscreen_height = height;
  r.fullscreen_bitdepth = bits;
  r.fullscreen_frequency = frequency;
  char text[MENU_TEXT_SIZE];
  snprintf(text, sizeof(text), "%d x %d x %d", width, height, bits);
  int item = FindMenuItem(r_res_menu, text);
  const _EngResMode *mode = item >= 0 ? r_modes->GetMode(item) : nullptr;
  if (!mode) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    EngGuiDisableControl_MAC(r_freq);
    return;
  }
  EngGuiSetPopupControlCurrentSelection_MAC(r_res, item);
  FillFrequencyMenu(mode);
  char several_rates = EngGuiGetMenuCount_MAC(r_freq_menu) > 1;
  if (r.windowed) {
    EngGuiSetControlValue_MAC(r_mode, 2);
    EngGuiDisableControl_MAC(r_res);
    EngGuiDisableControl_MAC(r_freq);
  } else {
    EngGuiSetControlValue_MAC(r_mode, 1);
    EngGuiEnableControl_MAC(r_res, 1);
    EngGuiEnableControl_MAC(r_freq, several_rates);
  }
}

static void ResolutionResModeChanged(char keep_frequency) {
  if (!r_modes) {
    DebugErrorAlt(ENG_FUNC, "No modes.");
    return;
  }
  int item = EngGuiGetPopupControlCurrentSelection_MAC(r_res);
  if (item < 0 || item >= r_modes->GetNumModes()) return;
  const _EngResMode *mode = r_modes->GetMode(item);
  if (!mode) return;
  if (!keep_frequency) FillFrequencyMenu(mode);
  int frequency_item = EngGuiGetPopupControlCurrentSelection_MAC(r_freq);
  if (frequency_item < 0 || frequency_item >= EngGuiGetMenuCount_MAC(r_freq_menu)) return;
  char res_text[MENU_TEXT_SIZE], freq_text[MENU_TEXT_SIZE];
  EngGuiGetMenuItemString_MAC(r_res_menu, item, res_text, sizeof(res_text));
  EngGuiGetMenuItemString_MAC(r_freq_menu, frequency_item, freq_text, sizeof(freq_text));
  int width = 0, height = 0, bits = 0, frequency = 0;
  if (sscanf(res_text, "%d x %d x %d", &width, &height, &bits) == 3) {
    resolution.fullscreen_width = width;
    resolution.fullscreen_height = height;
    resolution.fullscreen_bitdepth = bits;
  }
  if (sscanf(freq_text, "%d Hz", &frequency) == 1) resolution.fullscreen_frequency = frequency;
  ResolutionActivateButtons(0);
}

// ---------------------------------------------------------------------------------------------
// The display dialog's handler

static const char *LinkAddress(_ResolutionLinkType type) {
  const char *url = res_module_info.link_cb ? res_module_info.link_cb(type) : nullptr;
  return url && *url ? url : nullptr;
}

static void GoToLink(_ResolutionLinkType type) {
  if (const char *url = LinkAddress(type)) VariousGoOnline(nullptr, nullptr, url, 0, 0, 0, 0);
}

// A link the game gives no address for would be a button that does nothing.
static void HideLinksWithoutAddress() {
  const struct {
    EngUInt32 command;
    _ResolutionLinkType type;
  } links[] = {{EngFourCC("HOME"), RESOLUTION_LINK_HOME}, {EngFourCC("FORU"), RESOLUTION_LINK_FORUM},
               {EngFourCC("LK01"), RESOLUTION_LINK_LK01}, {EngFourCC("LK02"), RESOLUTION_LINK_LK02},
               {EngFourCC("LK03"), RESOLUTION_LINK_LK03}, {EngFourCC("LK04"), RESOLUTION_LINK_LK04}};
  for (const auto &link : links) {
    if (!LinkAddress(link.type)) EngGuiShowControlsWithCommand_MAC(r_window, link.command, 0);
  }
}

static EngInt32 ResolutionMainEH(EngGuiWindowRef window, const _EngGuiEvent *event, void *) {
  _Resolution &r = resolution;
  if (event->event_class == ENG_GUI_CLASS_WINDOW) {
    if (event->kind == ENG_GUI_KIND_WINDOW_CLOSE) {
      EngGuiQuitDialogLoop_MAC(window);
      return 0;
    }
    DebugInfo("ResolutionMainEH: CLASS: Window - Unexpected Event Kind: %s", FourCCText(event->kind).c_str());
    return ENG_GUI_NOT_HANDLED;
  }
  if (event->event_class != ENG_GUI_CLASS_COMMAND) return ENG_GUI_NOT_HANDLED;
  switch (event->command) {
    case EngFourCC("quit"):
    case EngFourCC("DONE"): EngGuiQuitDialogLoop_MAC(window); break;
    case EngFourCC("STAR"):
      r_start_pressed = 1;
      EngGuiQuitDialogLoop_MAC(window);
      break;
    case EngFourCC("MODE"):
      r.windowed = EngGuiGetControlValue_MAC(r_mode) == 2 ? 1 : 0;
      ResolutionResModeChanged(0);
      break;
    case EngFourCC("RES "): ResolutionResModeChanged(0); break;
    case EngFourCC("FREQ"): ResolutionResModeChanged(1); break;
    case EngFourCC("ANTI"): {
      int item = EngGuiGetPopupControlCurrentSelection_MAC(r_anti);
      EngInt32 samples = item == 3 ? 8 : item == 2 ? 4 : item == 1 ? 2 : 0;
      if (r.windowed)
        r.window_aa = samples;
      else
        r.fullscreen_aa = samples;
      break;
    }
    case EngFourCC("AAHE"):
      EngMiscShowPopupMessage(ENG_MISC_POPUP_INFORMATION,
                              EngLanguagesGetStringIfExists("RES_AA_HELP_TITLE", "Anti-Aliasing"),
                              EngLanguagesGetStringIfExists(
                                  "RES_AA_HELP_TEXT",
                                  "Anti-aliasing removes the jagged edges that appear when running the game in low "
                                  "resolutions.\n\nIt can improve the visual quality of the game, but is generally "
                                  "not needed and can slow down the graphics.\n\nSome systems do not support "
                                  "anti-aliasing."));
      break;
    case EngFourCC("MUNO"):
      EngMiscShowPopupMessage(
          ENG_MISC_POPUP_INFORMATION, EngLanguagesGetStringIfExists("RES_MUSIC", "Music"),
          EngLanguagesGetStringIfExists("RES_MUSIC_HELP_TEXT",
                                        "If the game does not start correctly, try disabling the music temporarally."));
      break;
    case EngFourCC("MUSI"):
      if (OptionMusic() && r_music) r.music_on = EngGuiGetPopupControlCurrentSelection_MAC(r_music) == 1;
      break;
    case EngFourCC("CTXQ"): {
      int item = EngGuiGetPopupControlCurrentSelection_MAC(r_music_uses_ctxq ? r_music : r_ctxq);
      if (r_music_uses_ctxq)
        r.music_on = item == 1;
      else if (OptionCtxq())
        r.ctxq_quality = EngUInt8(item == 0 ? 0 : item == 2 ? 2 : item == 3 ? 3 : 1);
      break;
    }
    case EngFourCC("TTXQ"):
      if (OptionTtxq()) {
        int item = EngGuiGetPopupControlCurrentSelection_MAC(r_ttxq);
        r.ttxq_quality = EngUInt8(item == 2 ? 2 : item == 1 ? 1 : 0);
      }
      break;
    case EngFourCC("SOUN"):
      if (OptionSound() && r_sound) r.sound_on = EngGuiGetPopupControlCurrentSelection_MAC(r_sound) == 1;
      break;
    case EngFourCC("NEWV"): ResolutionRunUpdater(); break;
    case EngFourCC("HOME"): GoToLink(RESOLUTION_LINK_HOME); break;
    case EngFourCC("FORU"): GoToLink(RESOLUTION_LINK_FORUM); break;
    case EngFourCC("LK01"): GoToLink(RESOLUTION_LINK_LK01); break;
    case EngFourCC("LK02"): GoToLink(RESOLUTION_LINK_LK02); break;
    case EngFourCC("LK03"): GoToLink(RESOLUTION_LINK_LK03); break;
    case EngFourCC("LK04"): GoToLink(RESOLUTION_LINK_LK04); break;
    case EngFourCC("swin"): return ENG_GUI_NOT_HANDLED;
    default:
      DebugInfo("Unexpected command id: %s", FourCCText(event->command).c_str());
      return ENG_GUI_NOT_HANDLED;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// The licence viewer

static EngInt32 UserSelecLicenseEH(EngGuiWindowRef window, const _EngGuiEvent *event, void *) {
  if (event->event_class == ENG_GUI_CLASS_WINDOW) {
    if (event->kind == ENG_GUI_KIND_WINDOW_CLOSE) {
      if (r_license_accepted < 0) r_license_accepted = 0;
      EngGuiQuitDialogLoop_MAC(window);
      return 0;
    }
    DebugInfo("UserSelecLicenseEH: CLASS: Window - Unexpected Event Kind: %s", FourCCText(event->kind).c_str());
    return ENG_GUI_NOT_HANDLED;
  }
  if (event->event_class != ENG_GUI_CLASS_COMMAND) return ENG_GUI_NOT_HANDLED;
  switch (event->command) {
    case EngFourCC("LIOK"):
      resolution.show_text_viewer = 0;
      r_license_accepted = 1;
      EngGuiQuitDialogLoop_MAC(window);
      return 0;
    case EngFourCC("LINO"):
      r_license_accepted = 0;
      EngGuiQuitDialogLoop_MAC(window);
      return 0;
    case EngFourCC("quit"):
      if (r_license_accepted < 0) r_license_accepted = 0;
      EngGuiQuitDialogLoop_MAC(window);
      return 0;
  }
  return ENG_GUI_NOT_HANDLED;
}

// The text, at most 64 KiB of it; empty when the file cannot be read.
static std::string ReadLicenseText(const char *name) {
  EngFile file;
  if (!file.OpenForReading(name, 1, 1)) return std::string();
  std::string text;
  char buffer[4096];
  for (;;) {
    EngUInt32 n = file.FRead(buffer, sizeof(buffer));
    if (n == 0) break;
    text.append(buffer, n);
    if (text.size() >= LICENSE_MAX_BYTES) {
      DebugInfo("<%s> is over %d bytes: the rest is not shown", name, int(LICENSE_MAX_BYTES));
      text.resize(LICENSE_MAX_BYTES);
      break;
    }
  }
  // A stray zero byte would end the text early on the way to the screen.
  text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  return text;
}

static void ResolutionDoLicenseDialog() {
  const char *file = res_module_info.names[0], *window_name = res_module_info.names[1];
  if (!EngGuiLoadDialogFromNib_MAC(file, window_name, UserSelecLicenseEH, 0, &r_license_handler,
                                   &r_license_window)) {
    DebugErrorAlt(ENG_FUNC, "Could not create license dialog");
    return;
  }
  EngGuiSetWindowTitle_MAC(r_license_window, "");
  EngGuiControlRef text_control = nullptr;
  std::string text;
  if (EngGuiGetControl_MAC(r_license_window, EngFourCC("LITX"), 30, &text_control))
    text = ReadLicenseText(res_module_info.names[2]);
  if (text.empty()) {
    // The answer stays undecided, which lets the display dialog run.
    EngGuiDestroyDialog_MAC(&r_license_handler, &r_license_window);
    return;
  }
  EngGuiSetStaticTextString_MAC(text_control, text.c_str());
  EngGuiDoDialog_MAC(&r_license_handler, &r_license_window, 1, 1);
}

// ---------------------------------------------------------------------------------------------
// The display dialog

static char GetRequired(EngUInt32 signature, EngInt32 id, EngGuiControlRef *control, EngGuiMenuRef *menu) {
  if (!EngGuiGetControl_MAC(r_window, signature, id, control)) return 0;
  return !menu || EngGuiGetPopupButtonMenu_MAC(*control, menu);
}

// The music popup borrowed from the quality row lines up under the sound popup.
static void TakeSoundsEdges(EngGuiControlRef control) {
  int sound_left, sound_top, sound_right, sound_bottom, left, top, right, bottom;
  if (!EngGuiGetControlBounds_MAC(r_sound, &sound_left, &sound_top, &sound_right, &sound_bottom) ||
      !EngGuiGetControlBounds_MAC(control, &left, &top, &right, &bottom))
    return;
  EngGuiMoveControl_MAC(control, sound_left, top);
  EngGuiSizeControl_MAC(control, sound_right - sound_left, bottom - top);
}

// Sound on the left and music on the right of the sound control's box, both 120 wide, 15 in from
// its sides and centred on its height.
static void PlaceSoundAndMusicInOneRow() {
  EngGuiControlRef box = EngGuiGetSuperControl_MAC(r_sound);
  if (!box) return;
  int box_width, box_height, sound_width, sound_height;
  EngGuiGetControlSize_MAC(box, &box_width, &box_height);
  EngGuiGetControlSize_MAC(r_sound, &sound_width, &sound_height);
  const int top = int(box_height / 2.0 - sound_height / 2.0);
  const int bottom = int(box_height / 2.0 + sound_height / 2.0);
  EngGuiEmbedControlAt_MAC(r_sound, box, 15, top, 135, bottom);
  const int music_right = box_width - 15;
  EngGuiEmbedControlAt_MAC(r_music, box, music_right - 120, top, music_right, bottom);
}

static char FetchControls() {
  EngGuiControlRef stgm = nullptr, version = nullptr;
  if (!GetRequired(EngFourCC("TPIC"), 10, &r_picture, nullptr) ||
      !GetRequired(EngFourCC("MODE"), 12, &r_mode, nullptr) ||
      !GetRequired(EngFourCC("RES "), 13, &r_res, &r_res_menu) ||
      !GetRequired(EngFourCC("FREQ"), 14, &r_freq, &r_freq_menu) ||
      !GetRequired(EngFourCC("ANTI"), 15, &r_anti, &r_anti_menu) ||
      !GetRequired(EngFourCC("STAR"), 14, &r_start, nullptr) ||
      !GetRequired(EngFourCC("NEWV"), 34, &r_new_version, nullptr) ||
      !GetRequired(EngFourCC("STGM"), 28, &stgm, nullptr) || !GetRequired(EngFourCC("VERS"), 11, &version, nullptr))
    return 0;
  if (OptionSound() && !GetRequired(EngFourCC("SOUN"), 40, &r_sound, &r_sound_menu)) return 0;
  if (OptionMusic()) {
    if (EngGuiDoesControlExist_MAC(r_window, EngFourCC("MUSI"), 50) || OptionCtxq()) {
      if (!GetRequired(EngFourCC("MUSI"), 50, &r_music, &r_music_menu)) return 0;
      EngGuiSetMenuTitleText_MAC(r_music_menu, EngLanguagesGetStringIfExists("RES_MUSIC_LABEL", "Music:"));
    } else {
      if (!GetRequired(EngFourCC("CTXQ"), 41, &r_music, &r_music_menu)) return 0;
      EngGuiSetMenuTitleText_MAC(r_music_menu, EngLanguagesGetStringIfExists("RES_MUSIC", "Music"));
      r_music_uses_ctxq = 1;
      if (r_sound) TakeSoundsEdges(r_music);
    }
  }
  if (!r_music_uses_ctxq) {
    if (OptionCtxq()) {
      if (!GetRequired(EngFourCC("CTXQ"), 41, &r_ctxq, &r_ctxq_menu)) return 0;
    } else {
      EngGuiSetPopupMenuAsNotAvailable_MAC(r_window, EngFourCC("CTXQ"), 41);
    }
  }
  if (OptionTtxq()) {
    if (!GetRequired(EngFourCC("TTXQ"), 42, &r_ttxq, &r_ttxq_menu)) return 0;
  } else {
    EngGuiSetPopupMenuAsNotAvailable_MAC(r_window, EngFourCC("TTXQ"), 42);
  }

  // With sound and music sharing a row, the spare quality popup goes; with sound alone, it is
  // centred.
  if (!OptionCtxq() && !OptionTtxq() && r_sound) {
    if (r_music && r_music_uses_ctxq && EngGuiDoesControlExist_MAC(r_window, EngFourCC("TTXQ"), 42)) {
      PlaceSoundAndMusicInOneRow();
      EngGuiControlRef ttxq = nullptr;
      if (EngGuiGetControl_MAC(r_window, EngFourCC("TTXQ"), 42, &ttxq)) EngGuiHideControl_MAC(ttxq);
    } else if (!r_music) {
      EngGuiCenterControlHorizontallyInWindow_MAC(r_window, r_sound);
    }
  }

  char text[MENU_TEXT_SIZE];
  snprintf(text, sizeof(text), "V %0.2f", double(res_module_info.game_version));
  EngGuiSetStaticTextString_MAC(version, text);
  EngGuiSetBevelButtonTextString_MAC(r_start, EngLanguagesGetStringIfExists("RES_START", "Start"));
  EngGuiSetBevelButtonTextString_MAC(r_new_version,
                                     EngLanguagesGetStringIfExists("RES_NEW_VERSION", "Check for a New Version"));
  return 1;
}

static void FillMenus() {
  FillResolutionMenu();
  FillAntiAliasingMenu();
  if (r_music) FillOffOnMenu(r_music, r_music_menu);
  if (r_sound) FillOffOnMenu(r_sound, r_sound_menu);
  if (r_ttxq) {
    const char *items[] = {EngLanguagesGetStringIfExists("RES_QUALITY_LOW", "Low"),
                           EngLanguagesGetStringIfExists("RES_QUALITY_MEDIUM", "Medium"),
                           EngLanguagesGetStringIfExists("RES_QUALITY_HIGH", "High")};
    FillMenu(r_ttxq, r_ttxq_menu, items, 3);
  }
  if (r_ctxq) {
    const char *items[] = {EngLanguagesGetStringIfExists("RES_QUALITY_LOW", "Low"),
                           EngLanguagesGetStringIfExists("RES_QUALITY_MEDIUM", "Medium"),
                           EngLanguagesGetStringIfExists("RES_QUALITY_HIGH", "High"),
                           EngLanguagesGetStringIfExists("RES_QUALITY_HIGH_BLURRED", "High Blurred")};
    FillMenu(r_ctxq, r_ctxq_menu, items, 4);
  }
  // A missing picture only leaves the view empty.
  EngGuiSetHiViewControlsPicture_MAC(r_picture, res_module_info.names[4], nullptr);
}

char ResolutionDoDialogMac() {
  ResolutionLoadSettings();
  r_license_accepted = -1;
  r_start_pressed = 0;
  if (resolution.show_text_viewer) {
    ResolutionDoLicenseDialog();
    if (r_license_accepted == 0) return -1;
  }

  r_modes = new EngResModes();
  if (!r_modes->IsSetup() || r_modes->GetNumModes() < 1) DebugErrorAlt(ENG_FUNC, "Could not get any resolution modes");

  ForgetControls();
  char result = 0;
  if (!EngGuiLoadDialogFromNib_MAC(res_module_info.names[0], res_module_info.names[3], ResolutionMainEH, 0,
                                   &r_handler, &r_window)) {
    DebugErrorAlt(ENG_FUNC, "Could not get create dialog");
  } else if (!FetchControls()) {
    EngGuiDestroyDialog_MAC(&r_handler, &r_window);
  } else {
    FillMenus();
    HideLinksWithoutAddress();
    ResolutionActivateButtons(0);
    EngGuiDoDialog_MAC(&r_handler, &r_window, 1, 1);
    result = r_start_pressed ? 1 : -1;
  }
  ForgetControls();
  delete r_modes;
  r_modes = nullptr;
  return result;
}
