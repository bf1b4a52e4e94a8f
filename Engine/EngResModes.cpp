#include "Engine/EngResModes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"

enum { STRING_SIZE = 128, FAKE_MAX = 64 };

static char fake_display = 0;
static _EngDisplayModeInfo fake_modes[FAKE_MAX];
static EngInt32 fake_count = 0;
static char fake_has_current = 0;
static _EngDisplayModeInfo fake_current;

void EngResModesSetDisplayForTests(const _EngDisplayModeInfo *modes, EngInt32 count,
                                   const _EngDisplayModeInfo *current) {
  fake_display = modes != nullptr;
  fake_count = 0;
  if (modes) {
    fake_count = count < FAKE_MAX ? count : FAKE_MAX;
    memcpy(fake_modes, modes, sizeof(_EngDisplayModeInfo) * size_t(fake_count));
  }
  fake_has_current = current != nullptr;
  if (current) fake_current = *current;
}

static EngInt32 DisplayModes(_EngDisplayModeInfo *modes, EngInt32 max) {
  if (!fake_display) return EngResModesGetDisplayModes_MAC(modes, max);
  EngInt32 n = fake_count < max ? fake_count : max;
  memcpy(modes, fake_modes, sizeof(_EngDisplayModeInfo) * size_t(n));
  return n;
}

static char CurrentMode(_EngDisplayModeInfo *mode) {
  if (!fake_display) return EngResModesGetCurrentDisplayMode_MAC(mode);
  if (fake_has_current) *mode = fake_current;
  return fake_has_current;
}

char EngResModesGetDesktopDimensions(int *x, int *y, int *width, int *height, char usable) {
  _EngDisplayModeInfo mode = {0, 0, 0, 0.0f};
  CurrentMode(&mode);
  int h = mode.height - (usable ? 50 : 0);
  if (x) *x = 0;
  if (y) *y = 0;
  if (width) *width = mode.width;
  if (height) *height = h;
  if (mode.width < 2 || h < 2) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OPFA);
    return 0;
  }
  return 1;
}

// The nearest integer, an exact half going toward zero.
static int RoundRate(float value) {
  float r = float(int(value));
  float frac = value - r;
  if (frac > 0.5f) return int(r) + 1;
  if (frac < -0.5f) return int(r) - 1;
  return int(r);
}

static int EngResModes_SortCallback_GL(const void *a, const void *b) {
  const _EngResMode *m1 = static_cast<const _EngResMode *>(a);
  const _EngResMode *m2 = static_cast<const _EngResMode *>(b);
  if (m1->bit_depth != m2->bit_depth) return m1->bit_depth < m2->bit_depth ? -1 : 1;
  if (m1->width != m2->width) return m1->width < m2->width ? -1 : 1;
  if (m1->height != m2->height) return m1->height < m2->height ? -1 : 1;
  return 0;
}

static int EngResModes_FreqSortCallback_GL(const void *a, const void *b) {
  EngInt32 f1 = *static_cast<const EngInt32 *>(a), f2 = *static_cast<const EngInt32 *>(b);
  return f1 < f2 ? -1 : (f1 > f2 ? 1 : 0);
}

EngResModes::EngResModes() {
  m_string = static_cast<char *>(EngMalloc(STRING_SIZE, ENG_FUNC, 1));
  m_setup = 0;
  GetModesAvailable();
}

EngResModes::~EngResModes() {
  Destroy();
  EngFree(m_string, 0, ENG_FUNC);
}

void EngResModes::Destroy() {
  EngFree(m_modes, 0, ENG_FUNC);
  EngFree(m_windowed_mode, 0, ENG_FUNC);
  m_modes = nullptr;
  m_windowed_mode = nullptr;
  m_num_modes = 0;
  m_setup = 0;
}

char EngResModes::GetModesAvailable() {
  Destroy();
  if (eng_main_device_type == 0) {
    DebugErrorAlt(ENG_FUNC, "Device type not set");
    return 0;
  }
  m_windowed_mode = static_cast<_EngResMode *>(EngMalloc(sizeof(_EngResMode), ENG_FUNC, 1));
  m_num_modes = 0;
  m_setup = 0;
  if (!m_windowed_mode || !GetModesAvailable_GL()) {
    Destroy();
    return 0;
  }
  m_setup = 1;
  return 1;
}

char EngResModes::GetModesAvailable_GL() {
  _EngDisplayModeInfo *found = static_cast<_EngDisplayModeInfo *>(
      EngMalloc(sizeof(_EngDisplayModeInfo) * ENG_RES_MODES_MAX * 4, ENG_FUNC, 1));
  if (!found) return 0;
  EngInt32 count = DisplayModes(found, ENG_RES_MODES_MAX * 4);
  if (count <= 0) {
    DebugErrorAlt(ENG_FUNC, "No modes [%d]", count);
    EngFree(found, 0, ENG_FUNC);
    return 0;
  }
  if (!AllocModesList(ENG_RES_MODES_MAX)) {
    EngFree(found, 0, ENG_FUNC);
    return 0;
  }
  m_num_modes = 0;
  for (EngInt32 i = 0; i < count; i++) {
    const _EngDisplayModeInfo &d = found[i];
    if (d.bit_depth < 16) continue;
    int freq = RoundRate(d.refresh);
    _EngResMode *mode = nullptr;
    for (EngInt32 j = 0; j < m_num_modes; j++) {
      _EngResMode &m = m_modes[j];
      if (m.width == d.width && m.height == d.height && m.bit_depth == d.bit_depth) mode = &m;
    }
    if (mode) {
      if (mode->num_frequencies < ENG_RES_MODE_FILLED_FREQS) mode->frequencies[mode->num_frequencies++] = freq;
    } else if (m_num_modes < ENG_RES_MODES_MAX) {
      _EngResMode &m = m_modes[m_num_modes++];
      memset(&m, 0, sizeof(m));
      m.width = d.width;
      m.height = d.height;
      m.bit_depth = d.bit_depth;
      m.num_frequencies = 1;
      m.frequencies[0] = freq;
    }
  }
  EngFree(found, 0, ENG_FUNC);
  if (m_num_modes == 0) return 0;
  qsort(m_modes, size_t(m_num_modes), sizeof(_EngResMode), EngResModes_SortCallback_GL);
  for (EngInt32 j = 0; j < m_num_modes; j++)
    qsort(m_modes[j].frequencies, size_t(m_modes[j].num_frequencies), sizeof(EngInt32),
          EngResModes_FreqSortCallback_GL);

  memset(m_windowed_mode, 0, sizeof(_EngResMode));
  m_windowed_mode->width = 1024;
  m_windowed_mode->height = 768;
  m_windowed_mode->bit_depth = 32;
  _EngDisplayModeInfo current;
  if (CurrentMode(&current)) {
    m_windowed_mode->width = current.width;
    m_windowed_mode->height = current.height;
    m_windowed_mode->bit_depth = current.bit_depth;
    m_windowed_mode->frequencies[0] = RoundRate(current.refresh);
    m_windowed_mode->num_frequencies = 1;
  }
  return 1;
}

char EngResModes::IsSetup() {
  if (m_setup && m_num_modes <= 0) {
    DebugErrorAlt(ENG_FUNC, "No modes.");
    Destroy();
    return 0;
  }
  return m_setup && m_modes && m_windowed_mode && m_num_modes > 0;
}

char EngResModes::AllocModesList(int n) {
  if (n < 1) {
    DebugErrorAlt(ENG_FUNC, "Bad num %d.", n);
    return 0;
  }
  EngFree(m_modes, 0, ENG_FUNC);
  m_modes = static_cast<_EngResMode *>(EngMalloc(sizeof(_EngResMode) * size_t(n), ENG_FUNC, 1));
  if (!m_modes) {
    m_num_modes = 0;
    return 0;
  }
  m_num_modes = n;
  return 1;
}

#define REQUIRE_SETUP(fail)                        \
  if (!IsSetup()) {                                \
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);  \
    return fail;                                   \
  }

int EngResModes::GetNumModes() {
  REQUIRE_SETUP(0);
  return m_num_modes;
}

_EngResMode *EngResModes::GetMode(int n) {
  REQUIRE_SETUP(nullptr);
  if (n < 0 || n >= m_num_modes) {
    DebugErrorAlt(ENG_FUNC, "Bad mode num %d (%d).", n, m_num_modes);
    return nullptr;
  }
  return &m_modes[n];
}

_EngResMode *EngResModes::GetWindowedMode() {
  REQUIRE_SETUP(nullptr);
  return m_windowed_mode;
}

char EngResModes::GetClosestFullScreenModeToMode(int *width, int *height, int *bits, int *frequency) {
  REQUIRE_SETUP(0);
  return GetClosestFullScreenModeToMode_GL(width, height, bits, frequency);
}

// The display's best mode for a request: the smallest listed size that holds the requested
// one (the largest size when none does), the requested bit depth when that size has it, and
// the refresh rate nearest the requested one (the highest for 0).
char EngResModes::GetClosestFullScreenModeToMode_GL(int *width, int *height, int *bits, int *frequency) {
  if (!width || !height || !bits) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    return 0;
  }
  if (m_num_modes <= 0) {
    DebugErrorAlt(ENG_FUNC, "No resolution modes");
    return 0;
  }
  const _EngResMode *best = nullptr;
  auto better = [&](const _EngResMode &m) {
    if (!best) return true;
    long area = long(m.width) * m.height, best_area = long(best->width) * best->height;
    if (area != best_area) return area < best_area;
    if ((m.bit_depth == *bits) != (best->bit_depth == *bits)) return m.bit_depth == *bits;
    return m.bit_depth > best->bit_depth;
  };
  for (EngInt32 i = 0; i < m_num_modes; i++) {
    const _EngResMode &m = m_modes[i];
    if (m.width >= *width && m.height >= *height && better(m)) best = &m;
  }
  if (!best) {
    for (EngInt32 i = 0; i < m_num_modes; i++) {
      const _EngResMode &m = m_modes[i];
      long area = long(m.width) * m.height;
      if (!best || area > long(best->width) * best->height ||
          (area == long(best->width) * best->height && m.bit_depth == *bits))
        best = &m;
    }
  }
  int want = frequency ? *frequency : 0;
  int rate = best->num_frequencies > 0 ? best->frequencies[best->num_frequencies - 1] : 0;
  if (want > 0) {
    int best_diff = 1000000;
    for (EngInt32 i = 0; i < best->num_frequencies; i++) {
      int diff = abs(best->frequencies[i] - want);
      if (diff < best_diff) {
        best_diff = diff;
        rate = best->frequencies[i];
      }
    }
  }
  *width = best->width;
  *height = best->height;
  *bits = best->bit_depth;
  if (frequency) *frequency = rate;
  return 1;
}

char EngResModes::EnsureWindowedModeOk(int *width, int *height, int *bits, int *frequency) {
  REQUIRE_SETUP(0);
  return EnsureWindowedModeOk_GL(width, height, bits, frequency);
}

char EngResModes::EnsureWindowedModeOk_GL(int *width, int *height, int *bits, int *frequency) {
  if (!width || !height || !bits) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    return 0;
  }
  if (m_num_modes <= 0) {
    DebugErrorAlt(ENG_FUNC, "No resolution modes");
    return 0;
  }
  const _EngResMode &w = *m_windowed_mode;
  if (*width && *width > w.width) *width = w.width;
  if (*height && *height > w.height) *height = w.height;
  if (*bits && *bits != w.bit_depth) *bits = w.bit_depth;
  if (!frequency) return 1;
  if (w.num_frequencies <= 0) {
    DebugErrorAlt(ENG_FUNC, "Warning - No frequencies present.");
    *frequency = 0;
    return 1;
  }
  if (m_use_highest_frequencies) {
    *frequency = w.frequencies[w.num_frequencies - 1];
    return 1;
  }
  int best_diff = 1000000, best = -1;
  for (EngInt32 i = 0; i < w.num_frequencies; i++) {
    int diff = abs(w.frequencies[i] - *frequency);
    if (diff < best_diff) {
      best_diff = diff;
      best = w.frequencies[i];
    }
  }
  if (best_diff >= 1000000) {
    DebugErrorAlt(ENG_FUNC, "Could not get a frequency");
    return 0;
  }
  *frequency = best;
  return 1;
}

char EngResModes::GetWindowedModeDetails(int *width, int *height, int *bits, int *frequency) {
  REQUIRE_SETUP(0);
  return GetWindowedModeDetails_GL(width, height, bits, frequency);
}

char EngResModes::GetWindowedModeDetails_GL(int *width, int *height, int *bits, int *frequency) {
  if (!m_windowed_mode) {
    DebugErrorAlt(ENG_FUNC, "Modes not setup");
    return 0;
  }
  if (bits) *bits = m_windowed_mode->bit_depth;
  if (frequency) *frequency = m_windowed_mode->num_frequencies == 1 ? m_windowed_mode->frequencies[0] : 0;
  return EngResModesGetDesktopDimensions(nullptr, nullptr, width, height, 1);
}

int EngResModes::GetFullscreenModeNumberFromSettings(int width, int height, int bits) {
  REQUIRE_SETUP(0);
  int best = 0, best_score = 1000000;
  for (EngInt32 i = 0; i < m_num_modes; i++) {
    const _EngResMode &m = m_modes[i];
    int score = abs(m.width - width) + abs(m.height - height) + 10 * abs(m.bit_depth - bits);
    if (score < best_score) {
      best_score = score;
      best = i;
    }
  }
  return best;
}

int EngResModes::GetFullScreenModeNumberForCurrentFullscreenMode() {
  REQUIRE_SETUP(0);
  if (eng_main_window_windowed) {
    DebugErrorAlt(ENG_FUNC, "Not fullscreen");
    return 0;
  }
  return GetFullscreenModeNumberFromSettings(eng_main_window_width, eng_main_window_height, eng_main_window_bitdepth);
}

int EngResModes::GetClosestFullScreenModeNumberToCurrentWindowedMode() {
  REQUIRE_SETUP(0);
  if (!eng_main_window_windowed) {
    DebugErrorAlt(ENG_FUNC, "Not windowed");
    return 0;
  }
  int w = eng_main_window_width, h = eng_main_window_height, bits = eng_main_window_bitdepth;
  int freq = eng_main_window_frequency;
  if (!GetClosestFullScreenModeToMode(&w, &h, &bits, &freq)) {
    DebugErrorAlt(ENG_FUNC, "GetClosestFullScreenModeToMode() failed.");
    return 0;
  }
  return GetFullscreenModeNumberFromSettings(w, h, bits);
}

char EngResModes::SetCurrentSettingsToFullscreenModeEntry(int n) {
  REQUIRE_SETUP(0);
  if (n < 0 || n >= m_num_modes) {
    DebugErrorAlt(ENG_FUNC, "Invalid mode number %d", n);
    return 0;
  }
  eng_main_window_width = m_modes[n].width;
  eng_main_window_height = m_modes[n].height;
  eng_main_window_bitdepth = m_modes[n].bit_depth;
  if (eng_main_window) eng_main_window->UpdateWindowVariables();
  return 1;
}

int EngResModes::GetNumAAEntriesForWindowedMode() {
  REQUIRE_SETUP(0);
  return GetNumAAEntries_GL();
}

int EngResModes::GetNumAAEntriesForFullscreenMode(int n) {
  REQUIRE_SETUP(0);
  if (n < 0 || n >= m_num_modes) {
    DebugErrorAlt(ENG_FUNC, "Invalid Mode Number %d", n);
    return 0;
  }
  return GetNumAAEntries_GL();
}

_EngResMode *EngResModes::GetCurrentFullscreenOrWindowedModeP() {
  REQUIRE_SETUP(nullptr);
  if (eng_main_window_windowed) return m_windowed_mode;
  return &m_modes[GetFullScreenModeNumberForCurrentFullscreenMode()];
}

int EngResModes::GetNumAAEntriesForMode(const _EngResMode *mode) {
  REQUIRE_SETUP(0);
  if (!mode) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameter");
    return 0;
  }
  if (mode == m_windowed_mode) return GetNumAAEntriesForWindowedMode();
  for (EngInt32 i = 0; i < m_num_modes; i++)
    if (mode == &m_modes[i]) return GetNumAAEntriesForFullscreenMode(i);
  DebugErrorAlt(ENG_FUNC, "Unknown mode");
  return 0;
}

const char *EngResModes::GetFullScreenResModeEntryAsString(int n) {
  REQUIRE_SETUP("");
  if (n < 0 || n >= m_num_modes || !m_string) {
    DebugErrorAlt(ENG_FUNC, "Bad mode num");
    return "";
  }
  snprintf(m_string, STRING_SIZE, "%d x %d x %d", m_modes[n].width, m_modes[n].height, m_modes[n].bit_depth);
  return m_string;
}

const char *EngResModes::GetAAEntryAsString_GL(int aa) {
  static const char *const texts[] = {"Off", "Low [2x2]", "Medium [4x4]", "High [8x8]"};
  if (!m_setup) return "Not Setup.";
  if (aa < 0 || aa >= GetNumAAEntries_GL()) return "???";
  return texts[aa];
}

const char *EngResModes::GetAAEntryForFullscreenModeAsString(int n, int aa) {
  REQUIRE_SETUP("");
  if (n < 0 || n >= m_num_modes) {
    DebugErrorAlt(ENG_FUNC, "Bad mode num %d (%d).", n, m_num_modes);
    return "";
  }
  return GetAAEntryAsString_GL(aa);
}

const char *EngResModes::GetAAEntryForWindowedModeAsString(int aa) {
  REQUIRE_SETUP("");
  return GetAAEntryAsString_GL(aa);
}

const char *EngResModes::GetAAEntryForModeAsString(const _EngResMode *mode, int aa) {
  REQUIRE_SETUP("");
  if (!mode) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return "";
  }
  bool known = mode == m_windowed_mode;
  for (EngInt32 i = 0; i < m_num_modes && !known; i++) known = mode == &m_modes[i];
  if (!known) {
    DebugErrorAlt(ENG_FUNC, "Unknown mode");
    return "";
  }
  if (aa < 0 || aa >= GetNumAAEntries_GL()) {
    DebugErrorAlt(ENG_FUNC, "Bad aa num");
    return "";
  }
  return GetAAEntryAsString_GL(aa);
}
