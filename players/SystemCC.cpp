#include "players/SystemCC.h"

#include <cstdio>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinList.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "screens/ScreensText.h"

static SystemCCResChangeHook res_change_hook = nullptr;

void SystemCCSetResChangeHookForTests(SystemCCResChangeHook hook) { res_change_hook = hook; }

enum { KEY_ESCAPE = 27 };

static int AAIndexFromSamples(EngInt32 samples) {
  return samples == 8 ? 3 : samples == 4 ? 2 : samples == 2 ? 1 : 0;
}

static EngInt32 AASamplesFromIndex(int index) {
  static const EngInt32 kSamples[] = {0, 2, 4, 8};
  return index >= 0 && index < 4 ? kSamples[index] : 0;
}

static char IsOpenGL() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL ? 1 : 0; }

SystemCC::SystemCC()
    : m_changed(0), m_initial_windowed(0), m_initial_mode(0), m_initial_freq(0), m_freq(0), m_initial_aa(0),
      m_aa(0), m_modes(nullptr), m_current_mode(nullptr), m_list_was_open(0) {
  m_freq_text[0] = 0;
}

SystemCC::~SystemCC() {
  delete m_modes;
  m_modes = nullptr;
}

const char *SystemControlGetDisplayModeStringsCB(int entry, MWinButton *, void *) {
  return entry == 1 ? ScreensText("Startup_Windowed", "Windowed") : ScreensText("Startup_Fullscreen", "Full Screen");
}

const char *SystemCC::GetFullScreenResModeEntryAsStringCB_Static(int entry, MWinButton *, void *screen) {
  SystemCC *self = static_cast<SystemCC *>(screen);
  if (!self || !self->m_modes) return "";
  const char *text = self->m_modes->GetFullScreenResModeEntryAsString(entry);
  return text ? text : "";
}

const char *SystemCC::FormatFrequency(int entry) {
  if (!m_current_mode || entry < 0 || entry >= m_current_mode->num_frequencies || entry >= ENG_RES_MODE_MAX_FREQS)
    return "";
  snprintf(m_freq_text, sizeof(m_freq_text), "%d Hertz", int(m_current_mode->frequencies[entry]));
  return m_freq_text;
}

const char *SystemControlGetFreqListStringsCB(int entry, MWinButton *, void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  return screen ? static_cast<SystemCC *>(screen)->FormatFrequency(entry) : "";
}

const char *SystemControlGetAAListStringsCB(int entry, MWinButton *, void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  SystemCC *self = static_cast<SystemCC *>(screen);
  if (!self || !self->GetModes() || !self->GetCurrentMode()) return "";
  const char *text = self->GetModes()->GetAAEntryForModeAsString(self->GetCurrentMode(), entry);
  return text ? text : "";
}

void SystemControlResChangeDoneCB(void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  if (screen) static_cast<SystemCC *>(screen)->ResChangeDoneCB();
}

// The entries a mode offers, never more than its record holds.
static int NumFrequencies(const _EngResMode *mode) {
  if (!mode) return 0;
  int n = mode->num_frequencies;
  return n < 0 ? 0 : n > ENG_RES_MODE_MAX_FREQS ? ENG_RES_MODE_MAX_FREQS : n;
}

void SystemCC::StartingCB(void *) {
  if (!m_modes) m_modes = new EngResModes();
  if (!m_modes->IsSetup()) {
    DebugErrorAlt(ENG_FUNC, "No modes.");
    delete m_modes;
    m_modes = nullptr;
    return;
  }
  ResolutionUpdateSettingsFromCurrent();
  ResolutionSaveSettings();

  const char windowed = eng_main_window_windowed ? 1 : 0;
  if (MWinChoice *mode = MWinChoice::From(mwinSystemMainWinModeButton)) {
    mode->ChoiceSetStringsCallback(2, SystemControlGetDisplayModeStringsCB, this);
    mode->ChoiceSetSel(windowed ? 1 : 0);
  }
  m_initial_windowed = windowed;

  int count = m_modes->GetNumModes();
  const _Resolution &r = resolution;
  m_initial_mode = windowed ? m_modes->GetFullscreenModeNumberFromSettings(r.fullscreen_width, r.fullscreen_height,
                                                                           r.fullscreen_bitdepth)
                            : m_modes->GetFullScreenModeNumberForCurrentFullscreenMode();
  if (m_initial_mode < 0 || m_initial_mode >= count) m_initial_mode = 0;
  if (MWinList *res = MWinList::From(mwinSystemMainWinResButton)) {
    if (count > 0) {
      res->ListSetStringsCallback(count, GetFullScreenResModeEntryAsStringCB_Static, this);
      res->ListSetPos(m_initial_mode, 0);
    }
  }
  m_changed = 0;

  m_current_mode = windowed ? m_modes->GetWindowedMode() : m_modes->GetMode(m_initial_mode);
  m_initial_freq = 0;
  for (int i = 0; i < NumFrequencies(m_current_mode); i++)
    if (m_current_mode->frequencies[i] == eng_main_window_frequency) m_initial_freq = i;
  m_freq = m_initial_freq;

  m_initial_aa = IsOpenGL() ? AAIndexFromSamples(windowed ? resolution.window_aa : resolution.fullscreen_aa) : 0;
  m_aa = m_initial_aa;
  UpdateButtons();
}

void SystemCC::UpdateButtons() {
  if (!m_modes) {
    DebugErrorAlt(ENG_FUNC, "No modes.");
    return;
  }
  m_changed = 0;
  MWinChoice *mode = MWinChoice::From(mwinSystemMainWinModeButton);
  MWinList *res = MWinList::From(mwinSystemMainWinResButton);
  const char windowed_chosen = mode && mode->ChoiceGetSel() == 1 ? 1 : 0;
  if (windowed_chosen != m_initial_windowed) m_changed = 1;
  if (mwinSystemMainWinResButton) {
    if (windowed_chosen)
      mwinSystemMainWinResButton->Disable();
    else
      mwinSystemMainWinResButton->Enable();
  }
  int res_pos = res ? res->ListGetPos() : 0;
  if (res_pos != m_initial_mode && !eng_main_window_windowed) m_changed = 1;

  m_current_mode = windowed_chosen ? m_modes->GetWindowedMode() : m_modes->GetMode(res_pos);

  if (MWinList *freq = MWinList::From(mwinSystemMainWinFreqButton)) {
    int n = NumFrequencies(m_current_mode);
    if (n <= 0) {
      freq->ListReset();
      freq->SetText("");
      freq->Disable();
      m_freq = 0;
    } else {
      if (m_freq < 0) m_freq = 0;
      if (m_freq >= n) m_freq = n - 1;
      freq->ListSetStringsCallback(n, SystemControlGetFreqListStringsCB, this);
      freq->ListSetPos(m_freq, 0);
      freq->Enable();
    }
  }
  if (m_freq != m_initial_freq) m_changed = 1;

  if (MWinList *aa = MWinList::From(mwinSystemMainWinAaButton)) {
    int n = m_current_mode ? m_modes->GetNumAAEntriesForMode(m_current_mode) : 0;
    if (n <= 0) {
      aa->ListReset();
      aa->SetText("");
      aa->Disable();
      m_aa = 0;
    } else {
      if (m_aa < 0) m_aa = 0;
      if (m_aa >= n) m_aa = n - 1;
      aa->ListSetStringsCallback(n, SystemControlGetAAListStringsCB, this);
      aa->ListSetPos(m_aa, 0);
      aa->Enable();
    }
  }
  if (m_aa != m_initial_aa) m_changed = 1;

  if (mwinSystemMainWinChangeButton) {
    if (m_changed)
      mwinSystemMainWinChangeButton->Enable();
    else
      mwinSystemMainWinChangeButton->Disable();
  }
}

void SystemCC::AACB(_MWinButtonCallbackInfo *info) {
  MWinList *aa = MWinList::From(mwinSystemMainWinAaButton);
  if (info && info->list_event == 1 && aa) m_aa = aa->ListGetPos();
  UpdateButtons();
}

void SystemCC::AAInfoCB() {
  if (!m_mwin) return;
  m_mwin->PopupMessage(ScreensText("Startup_Antialiasing", "Anti-aliasing"),
                       ScreensText("Startup_AntialiasingMessage",
                                   "Anti-aliasing smooths the jagged edges of the pictures. Higher levels look "
                                   "smoother but can slow the game down."));
}

void SystemCC::ChangeCB() {
  if (!m_changed || (!eng_main_window && !res_change_hook)) return;
  if (!m_modes) {
    DebugErrorAlt(ENG_FUNC, "No modes.");
    return;
  }
  MWinChoice *mode_choice = MWinChoice::From(mwinSystemMainWinModeButton);
  MWinList *res = MWinList::From(mwinSystemMainWinResButton);
  _EngResMode *mode = m_modes->GetMode(res ? res->ListGetPos() : 0);
  if (!mode) return;
  _EngWindowResChangeSettings settings = {};
  settings.change_requested = 1;
  settings.windowed = mode_choice && mode_choice->ChoiceGetSel() == 1 ? 1 : 0;
  settings.width = settings.windowed ? resolution.window_width : mode->width;
  settings.height = settings.windowed ? resolution.window_height : mode->height;
  settings.bit_depth = settings.windowed ? resolution.window_bitdepth : mode->bit_depth;
  settings.x = resolution.window_x;
  settings.y = resolution.window_y;
  // The rate chosen is an entry of the list shown, the chosen mode's own.
  const _EngResMode *shown = m_current_mode ? m_current_mode : mode;
  settings.frequency = m_freq >= 0 && m_freq < NumFrequencies(shown) ? shown->frequencies[m_freq] : 0;
  settings.anti_aliasing = IsOpenGL() ? AASamplesFromIndex(m_aa) : 0;
  if (res_change_hook)
    res_change_hook(&settings, this);
  else
    eng_main_window->ChangeDeviceResolutionOnNextTick(&settings, SystemControlResChangeDoneCB, this);
  DoneCB();
}

void SystemCC::DoneCB() {
  m_changed = 0;
  m_current_mode = nullptr;
  delete m_modes;
  m_modes = nullptr;
  if (m_game) m_game->OptionsScreenDone();
}

void SystemCC::ResChangeDoneCB() {
  DebugAssertAlt(m_screens ? 1 : 0, ENG_FUNC, "No screens");
  if (!m_screens || !m_screens->AreOn() || !m_mwin) return;
  // Still on show: this screen's collection is the one up.
  if (mwinSystemCollection && m_mwin->GetCollectionFromID("System", 0) == mwinSystemCollection) StartingCB(nullptr);
}

char SystemCC::AnyListOpen() {
  for (MWinButton *list : {mwinSystemMainWinResButton, mwinSystemMainWinFreqButton, mwinSystemMainWinAaButton})
    if (list && list->ListIsOpen()) return 1;
  return 0;
}

// The window has no back button: Escape leaves, unless it was closing a list or a popup.
void SystemCC::TickCB() {
  char busy = AnyListOpen() || (m_mwin && m_mwin->PopupIsOn()) || m_list_was_open;
  m_list_was_open = AnyListOpen() || (m_mwin && m_mwin->PopupIsOn());
  if (eng_key_down[KEY_ESCAPE] < 2) return;
  eng_key_down[KEY_ESCAPE] = 0;
  if (!busy) DoneCB();
}

char SystemCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button) return 0;
  if (button == mwinSystemMainWinModeButton || button == mwinSystemMainWinResButton) {
    UpdateButtons();
  } else if (button == mwinSystemMainWinFreqButton) {
    MWinList *freq = MWinList::From(button);
    if (info && info->list_event == 1 && freq) m_freq = freq->ListGetPos();
    UpdateButtons();
  } else if (button == mwinSystemMainWinAaButton) {
    AACB(info);
  } else if (button == mwinSystemMainWinAaInfoButton) {
    AAInfoCB();
  } else if (button == mwinSystemMainWinChangeButton) {
    ChangeCB();
  } else if (button->GetWindow() && button == button->GetWindow()->GetHideButton()) {
    DoneCB();
  } else {
    return 0;
  }
  return 1;
}
