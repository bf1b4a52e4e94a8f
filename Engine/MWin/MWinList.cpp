#include "Engine/MWin/MWinList.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"

MWinList::MWinList(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id, const ENG_CHAR *text,
                   float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_LIST, back_texbut_id, text, x, y, w, h) {
  ListReset();
}

static char NotAList(MWinButton *button, const char *signature) {
  if (button->GetType() == MWIN_BUTTON_LIST) return 0;
  DebugErrorAlt(signature, "button %s not a list", MWinDisplayID(button->GetID()));
  return 1;
}

MWinList *MWinList::From(MWinButton *button) {
  if (!button || NotAList(button, ENG_FUNC)) return nullptr;
  return static_cast<MWinList *>(button);
}

void MWinList::ClearOpenLayout() {
  m_open.box_y = m_open.box_h = -1;
  m_open.top_cap_y = m_open.top_cap_h = -1;
  m_open.bottom_cap_y = m_open.bottom_cap_h = -1;
  m_open.up_row_y = m_open.up_row_h = -1;
  m_open.down_row_y = m_open.down_row_h = -1;
  m_open.can_scroll_up = m_open.can_scroll_down = 0;
}

void MWinList::ListReset() {
  m_pos = 0;
  m_count = 0;
  m_str_cb = nullptr;
  m_strings = nullptr;
  m_token_list = 0;
  m_token[0] = 0;
  MWinButton::ListClose(0, 0);
  m_open_pos = -1;
  m_open.first_shown = m_open.end_shown = m_open.anchor = -1;
  ClearOpenLayout();
  m_open.highlight_y = -1;
  m_open.open_x = m_open.open_y = -1;
  m_open.scroll = 0;
  m_open.delay_ms = 400;
  m_open_time = 0;
  m_touch_state = 0;
  SetReady(0);
}

// ---- Entries ----

char MWinList::ListSetStrings(int count, const ENG_CHAR **strings) {
  if (NotAList(this, ENG_FUNC)) return 0;
  if (count < 1) {
    DebugErrorAlt(ENG_FUNC, "invalid num %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  if (!strings) {
    DebugErrorAlt(ENG_FUNC, "Null strings (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  m_pos = 0;
  m_count = count;
  m_strings = strings;
  m_str_cb = nullptr;
  m_token_list = 0;
  m_token[0] = 0;
  SetTextLanguageToken(nullptr);
  MWinButton::ListClose(0, 0);
  SetArrowsShown(0, 0);
  SetReady(1);
  return 1;
}

char MWinList::ListSetStrings(const ENG_CHAR **strings) {
  int count = 0;
  if (strings)
    while (strings[count]) count++;
  return ListSetStrings(count, strings);
}

char MWinList::ListSetStringsCallback(int count, MWIN_STR_CB callback, void *user) {
  if (user) SetStringsCallbackUser(user);
  if (NotAList(this, ENG_FUNC)) return 0;
  if (count < 0) {
    DebugErrorAlt(ENG_FUNC, "invalid num entries %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  if (!callback) {
    DebugErrorAlt(ENG_FUNC, "Null callback entry (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  m_pos = 0;
  m_count = count;
  m_strings = nullptr;
  m_str_cb = callback;
  m_token_list = 0;
  m_token[0] = 0;
  SetTextLanguageToken(nullptr);
  MWinButton::ListClose(0, 0);
  SetArrowsShown(0, 0);
  SetReady(1);
  if (count >= 1) SetText(EntryText(0));
  return 1;
}

char MWinList::ListSetStringsLanguageToken(int count, const char *token) {
  if (NotAList(this, ENG_FUNC)) return 0;
  if (count < 1) {
    DebugErrorAlt(ENG_FUNC, "invalid num %d (ID: %s)", count, MWinDisplayID(GetID()));
    return 0;
  }
  if (!token || !token[0]) {
    DebugErrorAlt(ENG_FUNC, "Null token (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  m_pos = 0;
  m_count = count;
  m_strings = nullptr;
  m_str_cb = nullptr;
  m_token_list = 1;
  EngSafeStrcpy(m_token, token, sizeof(m_token));
  // The closed list draws the token's sub-text at the position itself: setting the text here
  // would turn the widget's token off again.
  SetTextLanguageToken(token);
  MWinButton::ListClose(0, 0);
  SetReady(1);
  return 1;
}

const ENG_CHAR *MWinList::EntryText(int pos) {
  // The callback is never asked for an entry the list does not have.
  if (pos < 0 || pos >= m_count) return nullptr;
  if (m_str_cb) return m_str_cb(pos, this, GetStringsCallbackUser());
  if (m_strings) return m_strings[pos];
  if (m_token_list) return EngLanguagesGetString(m_token, pos);
  return nullptr;
}

const ENG_CHAR *MWinList::ListGetString() {
  if (NotAList(this, ENG_FUNC)) return nullptr;
  return EntryText(m_pos);
}

const ENG_CHAR *MWinList::ListGetOpenString() {
  if (!ListIsOpen()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NVAL);
    return nullptr;
  }
  return EntryText(m_open_pos);
}

const ENG_CHAR *MWinList::ListGetStringAtPos(int pos) {
  if (pos < 0 || pos >= m_count) {
    DebugErrorAlt(ENG_FUNC, "Bad pos %d (%d)", pos, m_count);
    return nullptr;
  }
  return EntryText(pos);
}

char MWinList::ListSetPosToString(const ENG_CHAR *text, char call) {
  if (NotAList(this, ENG_FUNC)) return 0;
  if (!text) return 0;
  for (int i = 0; i < m_count; i++) {
    const ENG_CHAR *entry = EntryText(i);
    if (entry && !strcmp(entry, text)) {
      ListSetPos(i, call);
      return 1;
    }
  }
  return 0;
}

int MWinList::ListGetFirstPosWithString(const ENG_CHAR *text) {
  if (NotAList(this, ENG_FUNC)) return -1;
  if (!text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return -1;
  }
  for (int i = 0; i < m_count; i++) {
    const ENG_CHAR *entry = EntryText(i);
    if (entry && !strcmp(entry, text)) return i;
  }
  return -1;
}

int MWinList::ListGetPos() {
  if (NotAList(this, ENG_FUNC)) return 0;
  return m_pos;
}

// ---- Selection and binding ----

char MWinList::Report(int event, int pos) {
  if (!HasCallback()) return 1;
  _MWinButtonCallbackInfo info;
  FillCallbackInfo(&info);
  info.list_event = EngUInt8(event);
  info.list_pos = pos;
  return CallCallback(&info);
}

char MWinList::ListSetPos(int pos, char call) {
  if (NotAList(this, ENG_FUNC)) return 0;
  if (pos < 0 || pos >= m_count) {
    DebugErrorAlt(ENG_FUNC, "invalid pos : %d (id: %s, entries = %d)", pos, MWinDisplayID(GetID()), m_count);
    return 0;
  }
  m_pos = pos;
  if (m_strings || m_str_cb) SetText(EntryText(pos));
  EngInt32 kind = GetRegisteredVariable()->kind;
  if (kind == MWIN_REGVAR_CHAR || kind == MWIN_REGVAR_UCHAR || kind == MWIN_REGVAR_INT || kind == MWIN_REGVAR_INT32)
    WriteRegisteredVariable(pos);
  if (GetMWin()) GetMWin()->RenderNeeded();
  if (call) Report(MWinButton::ListIsOpen() ? 1 : 0, pos);
  return 1;
}

char MWinList::ListRegisterIntVariable(int *var) {
  if (GetType() != MWIN_BUTTON_LIST) return 0;
  RegisterIntVariable(var, 1);
  if (var) ListSetPos(*var, 0);
  return 1;
}

char MWinList::ListRegisterLongVariable(EngInt32 *var) {
  if (GetType() != MWIN_BUTTON_LIST) return 0;
  RegisterLongVariable(var, 1);
  if (var) ListSetPos(int(*var), 0);
  return 1;
}

char MWinList::ListRegisterCharVariable(char *var) {
  if (NotAList(this, ENG_FUNC)) return 0;
  RegisterCharVariable(var);
  if (var) ListSetPos(*var, 0);
  return 1;
}

char MWinList::ListUpdateFromRegisteredVariable(char call) {
  if (GetType() != MWIN_BUTTON_LIST) return 0;
  EngInt32 kind = GetRegisteredVariable()->kind;
  if (kind != MWIN_REGVAR_CHAR && kind != MWIN_REGVAR_UCHAR && kind != MWIN_REGVAR_INT && kind != MWIN_REGVAR_INT32)
    return 0;
  int value = 0;
  if (!ReadRegisteredVariable(&value)) return 0;
  return ListSetPos(value, call);
}

void MWinList::ListRefresh() {
  // Every value is read before any is selected: selecting writes the bound variable of the
  // current kind, which would otherwise overwrite a value not yet read.
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  int values[4];
  char set[4] = {reg->char_p != nullptr, reg->uchar_p != nullptr, reg->int_p != nullptr, reg->int32_p != nullptr};
  values[0] = reg->char_p ? *reg->char_p : 0;
  values[1] = reg->uchar_p ? *reg->uchar_p : 0;
  values[2] = reg->int_p ? *reg->int_p : 0;
  values[3] = reg->int32_p ? int(*reg->int32_p) : 0;
  for (int i = 0; i < 4; i++)
    if (set[i]) ListSetPos(values[i], 0);
}
