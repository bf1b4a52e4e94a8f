#include "Engine/MWin/MWinChoice.h"

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"

MWinChoice::MWinChoice(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id,
                       const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_CHOICE, back_texbut_id, text, x, y, w, h) {
  ChoiceReset();
}

MWinChoice *MWinChoice::From(MWinButton *button) {
  if (!button) return nullptr;
  if (button->GetType() != MWIN_BUTTON_CHOICE) {
    DebugErrorAlt(ENG_FUNC, "button %s not a choice", MWinDisplayID(button->GetID()));
    return nullptr;
  }
  return static_cast<MWinChoice *>(button);
}

// ---- Entries and mode ----

void MWinChoice::ChoiceReset() {
  m_use_arrows = 0;
  m_sel = 0;
  m_count = 0;
  m_str_cb = nullptr;
  m_strings = nullptr;
  m_token_list = 0;
  m_token[0] = 0;
  m_want_highlight = 0;
  m_highlighted = -1;
  m_wide_selection = 0;
  m_width_multiplier = 0;
}

void MWinChoice::ChoiceUseArrows(char on, char unused) {
  (void)unused;
  on = on ? 1 : 0;
  if (on == m_use_arrows) return;
  m_use_arrows = on;
  ChoiceUpdateArrows();
  SetReady(1);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinChoice::ChoiceUpdateArrows() {
  if (m_use_arrows && IsEnabled() && IsShown())
    SetArrowsShown(m_sel > 0 ? 1 : 0, m_sel < m_count - 1 ? 1 : 0);
  else
    SetArrowsShown(0, 0);
}

char MWinChoice::ChoiceSetStrings(int count, const ENG_CHAR **strings) {
  if (count < 1) {
    DebugErrorAlt(ENG_FUNC, "invalid num %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  if (!strings) {
    DebugErrorAlt(ENG_FUNC, "Null strings (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  m_sel = 0;
  m_count = count;
  m_strings = strings;
  m_str_cb = nullptr;
  m_token_list = 0;
  SetTextLanguageToken(nullptr);
  SetReady(1);
  ChoiceUpdateArrows();
  return 1;
}

char MWinChoice::ChoiceSetStringsCallback(int count, MWIN_STR_CB callback, void *user) {
  if (user) SetStringsCallbackUser(user);
  if (count < 1) {
    DebugErrorAlt(ENG_FUNC, "invalid num entries %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  if (!callback) {
    DebugErrorAlt(ENG_FUNC, "Null callback entry (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  m_sel = 0;
  m_count = count;
  m_strings = nullptr;
  m_str_cb = callback;
  m_token_list = 0;
  SetTextLanguageToken(nullptr);
  SetReady(1);
  ChoiceUpdateArrows();
  return 1;
}

char MWinChoice::ChoiceSetStringsLanguageToken(int count, const char *token) {
  if (count < 1) {
    DebugErrorAlt(ENG_FUNC, "invalid num %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  if (!token || !token[0]) {
    DebugErrorAlt(ENG_FUNC, "Null token (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  m_sel = 0;
  m_count = count;
  m_strings = nullptr;
  m_str_cb = nullptr;
  m_token_list = 1;
  EngSafeStrcpy(m_token, token, sizeof(m_token));
  SetTextLanguageToken(token);
  SetReady(1);
  ChoiceUpdateArrows();
  return 1;
}

char MWinChoice::ChoiceSetNumItems(int count) {
  if (count < 0) {
    DebugErrorAlt(ENG_FUNC, "invalid num %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  m_count = count;
  // A shorter list takes the selection with it: no index past the entries is ever kept.
  int sel = m_sel < m_count ? m_sel : m_count - 1;
  ChoiceSetSel(sel, 0);
  ChoiceUpdateArrows();
  return 1;
}

const ENG_CHAR *MWinChoice::ChoiceGetString(int entry) {
  if (entry < 0 || entry >= m_count) return "";
  const ENG_CHAR *text = nullptr;
  if (m_str_cb)
    text = m_str_cb(entry, this, GetStringsCallbackUser());
  else if (m_strings)
    text = m_strings[entry];
  else if (m_token_list)
    text = EngLanguagesGetString(m_token, entry);
  return text ? text : "";
}

// ---- Selection and binding ----

char MWinChoice::Report(int entry, char highlight) {
  _MWinButtonCallbackInfo info;
  FillCallbackInfo(&info);
  info.choice_entry = entry;
  info.choice_event = EngUInt8(highlight);
  return CallCallback(&info);
}

char MWinChoice::ChoiceSetSel(int entry, char mode) {
  if (entry < -1 || entry > m_count - 1) {
    DebugErrorAlt(ENG_FUNC, "invalid sel : %d (m_id: %s, entries = %d)", entry, MWinDisplayID(GetID()), m_count);
    return 0;
  }
  int previous = m_sel;
  m_sel = entry;
  if (m_use_arrows) {
    SetText(ChoiceGetString(entry));
    ChoiceUpdateArrows();
  }
  EngInt32 kind = GetRegisteredVariable()->kind;
  if (kind >= MWIN_REGVAR_CHAR && kind <= MWIN_REGVAR_INT32) WriteRegisteredVariable(entry);
  if (GetMWin()) GetMWin()->RenderNeeded();
  char call = mode == 1 || (mode == 2 && entry != previous);
  if (call && HasCallback()) Report(entry, 0);
  return 1;
}

char MWinChoice::ChoiceRegisterCharVariable(char *var, char call) {
  if (GetType() != MWIN_BUTTON_CHOICE) return 0;
  RegisterCharVariable(var);
  if (var) ChoiceSetSel(*var, call);
  return 1;
}

char MWinChoice::ChoiceRegisterCharVariable(signed char *var) {
  return ChoiceRegisterCharVariable(reinterpret_cast<char *>(var), 0);
}

char MWinChoice::ChoiceRegisterIntVariable(int *var, char call) {
  RegisterIntVariable(var, 1);
  if (var) ChoiceSetSel(*var, call);
  return 1;
}

char MWinChoice::ChoiceRegisterInt16Variable(EngInt16 *var, char call) {
  RegisterInt16Variable(var, 1);
  if (var) ChoiceSetSel(*var, call);
  return 1;
}

char MWinChoice::ChoiceRegisterLongVariable(EngInt32 *var, char call) {
  RegisterLongVariable(var, 1);
  if (var) ChoiceSetSel(int(*var), call);
  return 1;
}

void MWinChoice::ChoiceSetSelectionExtraWidthMultiplier(float m) {
  if (m > 1) {
    if (m != 2) DebugErrorAlt(ENG_FUNC, "Not supported yet for other sizes (can be).");
    m_wide_selection = 1;
    m_width_multiplier = m;
  } else {
    m_wide_selection = 0;
    m_width_multiplier = 0;
  }
  if (GetMWin()) GetMWin()->RenderNeeded();
}

float MWinChoice::ChoiceGetItemWidth(int entry) {
  float w = GetActualArea()->width;
  if (m_count < 2) return w;
  if (m_wide_selection) {
    float one = w / float(m_count + 1);
    return entry == m_sel ? 2 * one : one;
  }
  return w / float(m_count);
}

int MWinChoice::ChoiceGetItemFromMousePos(char clamp) {
  if (m_count < 1) {
    if (clamp) DebugErrorAlt(ENG_FUNC, "Empty Choice List (ID =  %s)", MWinDisplayID(GetID()));
    return -1;
  }
  float px = 0;
  if (!GetMWin() || !GetMWin()->GetMousePos(&px, nullptr)) return -1;
  const _Dimension *a = GetActualArea();
  if (px < a->x) return clamp ? 0 : -1;
  if (px >= a->x + a->width) return clamp ? m_count - 1 : -1;
  float left = a->x;
  for (int i = 0; i < m_count; i++) {
    left += ChoiceGetItemWidth(i);
    if (px < left) return i;
  }
  return m_count - 1;  // rounding at the far edge
}

// ---- Input ----

char MWinChoice::ChoiceHandleMouseButtonPressed(char button, char pressed) {
  if (button != 0 || !pressed) return 0;
  return m_use_arrows ? ChoiceArrowsHandleMousePress() : ChoiceBoxesHandleMousePress();
}

char MWinChoice::ChoiceArrowsHandleMousePress() {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (m_count < 1 || !mwin || !layout) return 0;
  float px = 0, py = 0;
  if (!mwin->GetMousePos(&px, &py)) return 0;
  const _Dimension *a = GetActualArea();
  float s = layout->choice_arrow_width + layout->choice_arrow_margin;
  float mid = a->y + a->height / 2;
  char in_band = py >= mid - layout->choice_arrow_height / 2 && py < mid + layout->choice_arrow_height / 2;
  int entry;
  if (IsLeftArrowShown() && in_band && px >= a->x && px < a->x + s)
    entry = m_sel - 1;
  else if (IsRightArrowShown() && in_band && px >= a->x + a->width - s && px < a->x + a->width)
    entry = m_sel + 1;
  else
    return 0;
  if (entry < 0 || entry >= m_count) return 0;
  ChoiceSetSel(entry, 2);
  mwin->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
  return 1;
}

char MWinChoice::ChoiceBoxesHandleMousePress() {
  MWin *mwin = GetMWin();
  int entry = ChoiceGetItemFromMousePos(1);
  if (entry < 0) entry = 0;
  int previous = m_sel;
  ChoiceSetSel(entry, 2);
  // The callback may have removed this choice, or the whole toolkit.
  if (entry != previous && mwin && mwin->IsOn()) mwin->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
  return 1;
}

char MWinChoice::ChoiceHandleMouseButtonDoubleClicked(char button) { return ChoiceHandleMouseButtonPressed(button, 1); }

char MWinChoice::ChoiceHandleMouseMove() {
  if (!m_want_highlight) return 0;
  int entry = ChoiceGetItemFromMousePos(0);
  if (entry == -1) {
    m_highlighted = -1;
    return 0;
  }
  if (entry == m_highlighted) return 0;
  m_highlighted = entry;
  if (HasCallback()) Report(entry, 1);
  return 1;
}

char MWinChoice::ChoiceHandleKeyDown(int key) {
  switch (key) {
    case 13: ChoiceSetSel(m_sel + 1 >= m_count ? 0 : m_sel + 1, 2); return 1;
    case 244:
    case 246:
      if (m_sel > 0) ChoiceSetSel(m_sel - 1, 2);
      return 1;
    case 245:
    case 247:
      if (m_sel < m_count - 1) ChoiceSetSel(m_sel + 1, 2);
      return 1;
    default: return 0;
  }
}

char MWinChoice::HandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)flag;
  if (!IsReady()) return 0;
  if (!(IsActive() && IsEnabled() && IsShown())) {
    MWinButton::HandleMouseButtonPressCanceled();
    return 0;
  }
  if (button != 0) return 0;
  GetMWin()->RenderNeeded();
  return ChoiceHandleMouseButtonPressed(0, pressed);
}

char MWinChoice::HandleMouseButtonDoubleClicked(char button) {
  if (!ShouldHandleMouseButtonDoubleClicked(button)) return 0;
  return ChoiceHandleMouseButtonDoubleClicked(button);
}

void MWinChoice::HandleMouseMove() {
  if (!ShouldHandleMouseMove()) return;
  if (IsDragging()) {
    MWinButton::HandleMouseMove();
    return;
  }
  ChoiceHandleMouseMove();
}

char MWinChoice::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  if (ChoiceHandleKeyDown(key)) return 1;
  return PostHandleKeyDown(key, 0);
}
