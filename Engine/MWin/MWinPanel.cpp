#include "Engine/MWin/MWinPanel.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinWindow.h"

static char KeyIsDown(int code) { return eng_key_down[code] > 1 ? 1 : 0; }

// What is kept of the panel before a callback, to find it again afterwards without reading it.
struct Survivor {
  MWin *mwin;
  MWinID collection, window, button;
  EngUInt32 serial;
  MWinButton *self;
};

static Survivor Keep(MWinButton *button) {
  Survivor keep = {};
  keep.mwin = button->GetMWin();
  keep.serial = button->GetSerial();
  keep.self = button;
  MWinCopyID(keep.button, button->GetID());
  MWinWindow *window = button->GetWindow();
  if (window) MWinCopyID(keep.window, window->GetID());
  if (window && window->GetCollection()) MWinCopyID(keep.collection, window->GetCollection()->GetID());
  return keep;
}

static char Alive(const Survivor &keep) {
  if (!keep.mwin || !keep.mwin->IsOn()) return 0;
  MWinButton *found = keep.mwin->GetButtonFromIDs(keep.collection, keep.window, keep.button, 0);
  return found == keep.self && found->GetSerial() == keep.serial ? 1 : 0;
}

MWinPanel::MWinPanel(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id,
                     const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_PANEL, back_texbut_id, text, x, y, w, h) {
  PanelReset();
}

MWinPanel::~MWinPanel() { FreeArrays(); }

void MWinPanel::FreeArrays() {
  if (m_selection_flags) EngFree(m_selection_flags, 0, ENG_FUNC);
  m_selection_flags = nullptr;
  if (m_colours) EngFree(m_colours, 0, ENG_FUNC);
  m_colours = nullptr;
}

void MWinPanel::PanelReset() {
  FreeArrays();
  m_allow_no_selection = 0;
  m_selected = m_anchor = 0;
  m_count = m_per_page = 0;
  m_multi = m_toggle_on_click = 0;
  m_strings_cb = nullptr;
  m_strings = nullptr;
  m_language = 0;
  m_item_render_cb = nullptr;
  m_item_render_user = nullptr;
  m_display = m_row_height = 0;
  m_max_string_length = 0;
  m_sidebar_shown = 0;
  m_text_width = 0;
  m_sidebar = m_thumb = {0, 0, 0, 0};
  m_sidebar_right = m_sidebar_bottom = m_thumb_bottom = m_thumb_height_unclamped = 0;
  m_track_top = m_track_bottom = m_track_length = 0;
  m_drag_offset = 0;
  SetDraggingState(MWIN_PANEL_DRAG_NONE);
  m_show_selection = 1;
  m_per_page_mode = 1;
  SetType(MWIN_BUTTON_PANEL);
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (layout && layout->default_button_height > 0) PanelUpdateNumPerPageVar(-99);
  PanelGetSidebarDimensions();
}

void MWinPanel::PositionUpdated() {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (m_per_page_mode != 0 && layout && layout->default_button_height > 0) {
    float h = GetOrigArea()->height, row = layout->default_button_height;
    if (m_per_page_mode == 2) row *= 0.66f;
    m_per_page = int(h / row);
  }
  PanelGetSidebarDimensions();
  MWinButton::PositionUpdated();
}

char MWinPanel::AllocSelectionFlags() {
  if (m_selection_flags) EngFree(m_selection_flags, 0, ENG_FUNC);
  m_selection_flags = nullptr;
  if (!m_multi) return 1;
  m_selection_flags = static_cast<char *>(EngMalloc(size_t(m_count + 1), "PanelAllocateMultiPos", 1));
  if (!m_selection_flags) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    PanelReset();
    return 0;
  }
  return 1;
}

// ---- Filling ----

static char CountOk(int count, char zero_allowed, const char *id, const char *signature) {
  if (count < 0 || (!zero_allowed && count == 0)) {
    DebugErrorAlt(signature, "invalid num entries %d (ID: %s)", count, id);
    return 0;
  }
  return 1;
}

char MWinPanel::PanelSetStrings(int count, int per_page, const char **strings) {
  if (!CountOk(count, 1, GetID(), ENG_FUNC)) return 0;
  if (!strings) {
    DebugErrorAlt(ENG_FUNC, "Null strings (ID: %s)", GetID());
    return 0;
  }
  PanelEmpty();
  m_strings = strings;
  m_count = count;
  SetTextLanguageToken("");
  PanelUpdateNumPerPageVar(per_page);
  m_selected = m_allow_no_selection ? -1 : 0;
  if (!AllocSelectionFlags()) return 0;
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
  return 1;
}

char MWinPanel::PanelSetStringsCallback(int count, int per_page, MWIN_STR_CB callback, void *user) {
  if (!CountOk(count, 1, GetID(), ENG_FUNC)) return 0;
  PanelEmpty();
  m_strings_cb = callback;
  if (user) SetStringsCallbackUser(user);
  m_count = count;
  SetTextLanguageToken("");
  PanelUpdateNumPerPageVar(per_page);
  m_selected = m_allow_no_selection ? -1 : 0;
  if (!AllocSelectionFlags()) return 0;
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
  return 1;
}

char MWinPanel::PanelSetStringsLanguageToken(int count, int per_page, const char *token) {
  if (!CountOk(count, 0, GetID(), ENG_FUNC)) return 0;
  if (!token) {
    DebugErrorAlt(ENG_FUNC, "Null token (ID: %s)", GetID());
    return 0;
  }
  PanelEmpty();
  SetTextLanguageToken(token);
  m_language = 1;
  m_count = count;
  PanelUpdateNumPerPageVar(per_page);
  m_selected = m_allow_no_selection ? -1 : 0;
  if (!AllocSelectionFlags()) return 0;
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
  return 1;
}

void MWinPanel::PanelEmpty() {
  FreeArrays();
  m_selected = m_anchor = 0;
  m_count = 0;
  m_strings = nullptr;
  m_strings_cb = nullptr;
  m_language = 0;
  m_display = 0;
  PanelGetSidebarDimensions();
}

// ---- Options ----

void MWinPanel::PanelAllowMultisel(char multi, char toggle) {
  m_multi = multi;
  m_toggle_on_click = toggle;
  AllocSelectionFlags();
}

void MWinPanel::PanelSetPanelItemRenderCB(MWIN_PANEL_ITEM_RENDER_CB callback, void *user) {
  m_item_render_cb = callback;
  m_item_render_user = user;
}

char MWinPanel::PanelSetEntryColour(int item, const _ColourRGBA *colour) {
  if (!colour && !m_colours) return 1;
  if (item < 0 || item >= m_count) {
    DebugErrorAlt(ENG_FUNC, "Invalid entry num %d (%d)", item, m_count);
    return 0;
  }
  if (!m_colours) {
    m_colours = static_cast<_ColourRGBA *>(EngMalloc(sizeof(_ColourRGBA) * size_t(m_count), ENG_FUNC, 0));
    if (!m_colours) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      return 0;
    }
    _ColourRGBA text;
    GetTextColour(&text);
    for (int i = 0; i < m_count; i++) m_colours[i] = text;
  }
  if (!colour) return 1;
  _ColourRGBA &c = m_colours[item];
  if (colour->r >= 0) c.r = colour->r;
  if (colour->g >= 0) c.g = colour->g;
  if (colour->b >= 0) c.b = colour->b;
  if (colour->a >= 0) c.a = colour->a;
  GetMWin()->RenderNeeded();
  return 1;
}

char MWinPanel::PanelUpdateNumPerPageVar(int n) {
  if (n >= 1) {
    m_per_page = n;
    m_per_page_mode = 0;
  } else {
    MWinLayoutSettings *layout = GetLayoutSettings();
    if (!layout || layout->default_button_height <= 0) {
      DebugErrorAlt(ENG_FUNC, "No default button height");
      return 0;
    }
    if (n != -99) m_per_page_mode = char(-n);
    float row = layout->default_button_height;
    if (m_per_page_mode == 2) row *= 0.66f;
    m_per_page = int(GetOrigArea()->height / row);
  }
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
  return 1;
}

// ---- Selection ----

void MWinPanel::FlagRange(int from, int to) {
  if (!m_selection_flags) return;
  if (from > to) {
    int t = from;
    from = to;
    to = t;
  }
  if (from < 0) from = 0;
  for (int i = from; i <= to && i < m_count; i++) m_selection_flags[i] = 1;
}

void MWinPanel::PlaySelectionSound() {
  if (GetMWin()) GetMWin()->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
}

char MWinPanel::PanelSetPos(int item, char call, int how) {
  if (GetType() != MWIN_BUTTON_PANEL) {
    DebugErrorAlt(ENG_FUNC, "Button is not a panel");
    return 0;
  }
  if (m_count <= 0) return 0;
  if (m_allow_no_selection && item < 0)
    item = -1;
  else if (item < 0)
    item = 0;
  else if (item > m_count - 1)
    item = m_count - 1;
  if (m_multi && item >= 0 && m_selection_flags) {
    if (how != 2) {
      if (KeyIsDown(231) || m_toggle_on_click) {
        m_selection_flags[item] = m_selection_flags[item] ? 0 : 1;
      } else if (KeyIsDown(228) && item != m_anchor) {
        PanelClearAllSelectedItems();
        FlagRange(m_anchor, item);
      } else {
        PanelClearAllSelectedItems();
        m_selection_flags[item] = 1;
      }
    } else if (KeyIsDown(228)) {
      FlagRange(m_anchor, item);
    } else {
      PanelClearAllSelectedItems();
      m_selection_flags[item] = 1;
    }
  }
  m_selected = item;
  m_anchor = item;
  if (item >= 0) {
    if (item >= m_display + m_per_page) m_display = float(item + 1 - m_per_page);
    if (m_display > item) m_display = float(item);
    if (m_display < 0) m_display = 0;
  }
  PanelGetSidebarDimensions();
  WriteRegisteredVariable(item);
  MWin *mwin = GetMWin();
  mwin->RenderNeeded();
  if (call == 1 || call == 2) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    info.panel_reason = call - 1;
    info.panel_item = item;
    info.panel_flag = EngUInt8(how);
    CallCallback(&info);
  }
  return 1;
}

char MWinPanel::PanelSelectItem(int item, char flag) {
  if (!m_multi || !m_selection_flags || item < 0 || item >= m_count) return 0;
  m_selection_flags[item] = flag ? 1 : 0;
  GetMWin()->RenderNeeded();
  return 1;
}

char MWinPanel::PanelIsItemSelected(int item) {
  if (item < 0 || item >= m_count) return 0;
  if (m_multi) return m_selection_flags && m_selection_flags[item] ? 1 : 0;
  return item == m_selected ? 1 : 0;
}

void MWinPanel::PanelClearAllSelectedItems() {
  if (m_selection_flags) memset(m_selection_flags, 0, size_t(m_count + 1));
}

int MWinPanel::PanelGetNumSelectedItems() {
  if (!m_multi) return m_selected >= 0 && m_count > 0 ? 1 : 0;
  int n = 0;
  for (int i = 0; m_selection_flags && i < m_count; i++) n += m_selection_flags[i] ? 1 : 0;
  return n;
}

int MWinPanel::PanelGetNthSelectedItemNum(int n) {
  if (!m_multi) return n == 0 && m_selected >= 0 && m_count > 0 ? m_selected : -1;
  for (int i = 0; m_selection_flags && i < m_count; i++)
    if (m_selection_flags[i] && n-- == 0) return i;
  return -1;
}

char MWinPanel::PanelSetPosToString(const char *text) {
  if (!text) return 0;
  for (int i = 0; i < m_count; i++)
    if (!strcmp(PanelGetStringAtPos(i), text)) {
      PanelSetPos(i, 1, 0);
      return 1;
    }
  return 0;
}

const char *MWinPanel::PanelGetStringAtPos(int item) {
  if (item < 0 || item >= m_count) return "";
  const char *text = nullptr;
  if (m_strings_cb)
    text = m_strings_cb(item, this, GetStringsCallbackUser());
  else if (m_strings)
    text = m_strings[item];
  else if (m_language)
    text = EngLanguagesGetString(GetLanguageToken(), item);
  return text ? text : "";
}

// ---- Scrolling ----

float MWinPanel::MaxDisplay() const { return m_count > m_per_page ? float(m_count - m_per_page) : 0.0f; }

void MWinPanel::ClampDisplay() {
  if (m_display > MaxDisplay()) m_display = MaxDisplay();
  if (m_display < 0) m_display = 0;
}

void MWinPanel::PanelSetDisplayPos(float position) {
  if (position < 0 || position >= m_count) return;
  m_display = position;
  ClampDisplay();
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
}

void MWinPanel::PanelCenterToPosIfPossible() {
  m_display = float(m_selected - m_per_page / 2);
  ClampDisplay();
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
}

void MWinPanel::PanelEnsurePosIsVisible() {
  DebugInfoAlt(ENG_FUNC, "%d %.1f [%d %d]", m_selected, double(m_display), m_per_page, m_count);
  if (m_selected < 0) return;
  if (m_selected >= m_display + m_per_page) m_display = float(m_selected + 1 - m_per_page);
  if (m_display > m_selected) m_display = float(m_selected);
  ClampDisplay();
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
}

char MWinPanel::PanelGetStartAndEndDisplayPos(int *start, int *end) {
  if (m_per_page < 1) return 0;
  int s = int(m_display);
  if (s < 0) s = 0;
  if (s > m_count) s = m_count;
  int e = s + m_per_page;
  if (e > m_count) e = m_count;
  if (start) *start = s;
  if (end) *end = e;
  return 1;
}

int MWinPanel::PanelGetNumDisplayedItems() {
  int s = 0, e = 0;
  return PanelGetStartAndEndDisplayPos(&s, &e) ? e - s : 0;
}

int MWinPanel::PanelGetNthDisplayedItemsItemNumber(int n) {
  int s = 0;
  PanelGetStartAndEndDisplayPos(&s, nullptr);
  return s + n;
}

char MWinPanel::PanelGetNthDisplayedItemsDimension(int n, _Dimension *row) {
  int s = 0, e = 0;
  if (!row || !PanelGetStartAndEndDisplayPos(&s, &e) || n < 0 || n >= e - s) return 0;
  const _Dimension *a = GetActualArea();
  *row = {a->x, (float(n) - (m_display - float(s))) * m_row_height + a->y, m_text_width, m_row_height};
  return 1;
}

char MWinPanel::PanelGetNthItemsDimension(int item, _Dimension *row) {
  int s = 0, e = 0;
  if (!PanelGetStartAndEndDisplayPos(&s, &e) || item < s || item >= e) return 0;
  return PanelGetNthDisplayedItemsDimension(item - s, row);
}

// ---- Registered variables ----

char MWinPanel::PanelRegisterIntVariable(int *var, char call) {
  if (!RegisterIntVariable(var, 1)) return 0;
  return PanelUpdateFromRegisteredVariable(call);
}

char MWinPanel::PanelRegisterInt16Variable(EngInt16 *var, char call) {
  if (!RegisterInt16Variable(var, 1)) return 0;
  return PanelUpdateFromRegisteredVariable(call);
}

char MWinPanel::PanelRegisterCharVariable(char *var, char call) {
  if (!RegisterCharVariable(var)) return 0;
  return PanelUpdateFromRegisteredVariable(call);
}

char MWinPanel::PanelUpdateFromRegisteredVariable(char call) {
  int value = 0;
  if (!ReadRegisteredVariable(&value)) return 0;
  return PanelSetPos(value, call, 0);
}

char MWinPanel::PanelRefresh() {
  int kind = GetRegisteredVariable()->kind;
  if (kind != MWIN_REGVAR_INT && kind != MWIN_REGVAR_INT16 && kind != MWIN_REGVAR_UINT16) return 0;
  return PanelUpdateFromRegisteredVariable(1);
}

// ---- Sidebar ----

void MWinPanel::PanelGetSidebarDimensions() {
  const _Dimension *a = GetActualArea();
  m_row_height = m_per_page > 0 ? a->height / float(m_per_page) : a->height;
  MWinLayoutSettings *layout = GetLayoutSettings();
  m_sidebar_shown = (m_count > m_per_page && m_count > 1 && layout) ? 1 : 0;
  if (!m_sidebar_shown) {
    m_text_width = a->width;
    return;
  }
  float side_w = layout->side_bar_width, thumb_w = layout->vscrollbar_width;
  float min_h = layout->vscrollbar_margin, end_margin = layout->side_bar_margin;
  m_text_width = a->width - side_w;
  m_sidebar = {a->x + a->width - side_w, a->y, side_w, a->height};
  m_sidebar_right = m_sidebar.x + m_sidebar.width;
  m_sidebar_bottom = m_sidebar.y + m_sidebar.height;
  m_thumb.x = m_sidebar.x + (side_w - thumb_w) / 2;
  m_thumb.width = thumb_w;
  m_track_top = a->y + end_margin;
  m_track_bottom = a->y + a->height - end_margin;
  m_track_length = m_track_bottom - m_track_top;
  float h = float(m_per_page) * m_track_length / float(m_count);
  m_thumb_height_unclamped = h;
  float raise = 0;
  if (h < min_h) {
    raise = min_h - h;
    h = min_h;
  }
  float shown_from = m_display > 0 ? m_display : 0;
  if (shown_from > float(m_count - m_per_page)) shown_from = float(m_count - m_per_page);
  m_thumb.y = m_track_top + (m_track_length - raise) * shown_from / float(m_count);
  m_thumb.height = h;
  m_thumb_bottom = m_thumb.y + h;
}

float MWinPanel::PanelGetYPosFromScreen(float y) {
  float travel = m_track_length - m_thumb.height;
  if (travel == 0) return 0;
  float v = (y - m_thumb.height / 2 - m_track_top) * float(m_count - m_per_page + 1) / travel;
  if (v > MaxDisplay()) v = MaxDisplay();
  if (v < 0) v = 0;
  return v;
}

float MWinPanel::PanelGetScreenYPos() {
  float d = m_display;
  if (d > MaxDisplay()) d = MaxDisplay();
  if (d < 0) d = 0;
  return m_track_top + d * (m_track_length - m_thumb.height) / float(m_count - m_per_page + 1);
}

// ---- Input ----

char MWinPanel::HandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)flag;
  if (!IsReady()) return 0;
  if (!(IsActive() && IsEnabled() && IsShown())) {
    SetPressed(0);
    SetDraggingState(MWIN_PANEL_DRAG_NONE);
    return 0;
  }
  if (button != 0) return 0;
  GetMWin()->RenderNeeded();
  PanelHandleMouseButtonPressed(0, pressed);
  return 1;
}

char MWinPanel::PanelHandleMouseButtonPressed(char button, char pressed) {
  (void)button;
  MWin *mwin = GetMWin();
  if (!mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  float mouse_x = 0, mouse_y = 0;
  mwin->GetMousePos(&mouse_x, &mouse_y);
  const _Dimension *a = GetActualArea();
  if (m_sidebar_shown && mwin->IsMouseViewportCursorInArea(&m_sidebar)) {
    if (!pressed) {
      SetDraggingState(MWIN_PANEL_DRAG_NONE);
      return 1;
    }
    if (mouse_y >= m_thumb.y && mouse_y <= m_thumb_bottom) {
      SetDraggingState(MWIN_PANEL_DRAG_THUMB);
      m_drag_offset = mouse_y - m_thumb.y - m_thumb.height / 2;
    } else {
      m_display += mouse_y < m_thumb.y ? -float(m_per_page) : float(m_per_page);
      ClampDisplay();
      PanelGetSidebarDimensions();
    }
    PlaySelectionSound();
    mwin->RenderNeeded();
    return 1;
  }
  _Dimension rows = {a->x, a->y, m_text_width, a->height};
  if (mwin->IsMouseViewportCursorInArea(&rows)) {
    if (pressed || IsDragging()) {
      SetDraggingState(MWIN_PANEL_DRAG_NONE);
      return 1;
    }
    if (m_row_height <= 0) return 1;
    int item = int((mouse_y - a->y) / m_row_height + m_display);
    if (item >= 0 && item < m_count) {
      PlaySelectionSound();
      PanelSetPos(item, 1, 1);
    }
    return 1;
  }
  if (!pressed) SetDraggingState(MWIN_PANEL_DRAG_NONE);
  return 1;
}

void MWinPanel::HandleMouseMove() {
  if (!ShouldHandleMouseMove()) return;
  if (IsDragging()) PanelHandleDragging();
}

void MWinPanel::PanelHandleDragging() {
  if (!m_sidebar_shown) {
    SetDraggingState(MWIN_PANEL_DRAG_NONE);
    return;
  }
  float mouse_x = 0, mouse_y = 0;
  GetMWin()->GetMousePos(&mouse_x, &mouse_y);
  m_display = PanelGetYPosFromScreen(mouse_y - m_drag_offset);
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
}

char MWinPanel::HandleMouseWheel(int delta) {
  if (!ShouldHandleMouseWheel()) return 0;
  if (HasMouseWheelCallback()) return MWinButton::HandleMouseWheel(delta);
  return PanelHandleMouseWheel(delta);
}

char MWinPanel::PanelHandleMouseWheel(int steps) {
  m_display -= float(steps);
  ClampDisplay();
  PanelGetSidebarDimensions();
  GetMWin()->RenderNeeded();
  return 1;
}

char MWinPanel::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  Survivor keep = Keep(this);
  if (PanelHandleKeyDown(key)) return 1;
  if (!Alive(keep)) return 1;
  return PostHandleKeyDown(key, 0);
}

char MWinPanel::PanelHandleKeyDown(int code) {
  int item = m_selected;
  char call = 1;
  int how = 2;
  switch (code) {
    case 13:
      call = 2;
      how = 0;
      break;
    case 246:
      if (m_selected < 1) return 1;
      item = m_selected - 1;
      break;
    case 247:
      if (m_selected >= m_count - 1) return 1;
      item = m_selected + 1;
      break;
    case 248:
      if (m_selected < 1) return 1;
      item = m_selected - m_per_page;
      break;
    case 249:
      if (m_selected >= m_count - 1) return 1;
      item = m_selected + m_per_page;
      break;
    default: {
      if (m_multi || m_count <= 0) return 0;
      int found = -1;
      for (int i = m_selected + 1; i < m_count && found < 0; i++)
        if ((unsigned char)PanelGetStringAtPos(i)[0] == code) found = i;
      for (int i = 0; i < m_selected && found < 0; i++)
        if ((unsigned char)PanelGetStringAtPos(i)[0] == code) found = i;
      if (found < 0) return 0;
      Survivor keep = Keep(this);
      PanelSetPos(found, 1, 0);
      // Centred and sounded only when the callback left the panel where it was.
      if (!Alive(keep)) return 1;
      PanelCenterToPosIfPossible();
      PlaySelectionSound();
      return 1;
    }
  }
  Survivor keep = Keep(this);
  PanelSetPos(item, call, how);
  if (Alive(keep)) PlaySelectionSound();
  return 1;
}

char MWinPanel::HandleMouseButtonDoubleClicked(char button) {
  if (!ShouldHandleMouseButtonDoubleClicked(button)) return 0;
  return PanelHandleMouseButtonDoubleClicked();
}

char MWinPanel::PanelHandleMouseButtonDoubleClicked() {
  PanelGetSidebarDimensions();
  Survivor keep = Keep(this);
  PanelSetPos(m_selected, 2, 2);
  if (Alive(keep)) PlaySelectionSound();
  return 1;
}

void MWinPanel::Deactivate() {
  SetDraggingState(MWIN_PANEL_DRAG_NONE);
  MWinButton::Deactivate();
}
