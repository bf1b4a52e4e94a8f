#include "Engine/MWin/MWinGroup.h"

#include "Engine/EngDebug.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinList.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinVertScrollbar.h"
#include "Engine/MWin/MWinWindow.h"

MWinGroup::MWinGroup(MWin *mwin, MWinWindow *window) : m_mwin(mwin), m_window(window) {
  DebugAssert(mwin ? 1 : 0, "MWinGroup::MWinGroup", "No mw");
}

MWinGroup::~MWinGroup() {
  MWinButton *before = nullptr;
  for (MWinButton *b = m_first; b; before = b, b = b->m_next) {
    if (b->m_prev != before) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
      for (MWinButton *c = m_first; c; c = c->m_next) c->DestroyGraphicsObjects();
      m_first = m_last = nullptr;
      m_valid = 0;
      return;
    }
  }
  DeleteAllButtons(0);
  m_valid = 0;
  m_window = nullptr;
  m_prev = m_next = nullptr;
}

// From the last backwards. A removed button keeps its own links, so a walk that stood on it
// when a callback removed it goes on to buttons that are still in memory.
void MWinGroup::DeleteAllButtons(char removing) {
  while (m_last) {
    MWinButton *button = m_last;
    MWinButton *prev = button->m_prev;
    if (prev) prev->m_next = nullptr;
    m_last = prev;
    if (removing && m_mwin)
      m_mwin->Discard(button);
    else
      delete button;
  }
  m_first = nullptr;
}

char MWinGroup::CreateGraphicsObjects() {
  char ok = 1;
  for (MWinButton *b = m_first; b; b = b->m_next)
    if (!b->CreateGraphicsObjects()) ok = 0;
  return ok;
}

void MWinGroup::DestroyGraphicsObjects() {
  for (MWinButton *b = m_first; b; b = b->m_next) b->DestroyGraphicsObjects();
}

MWinLayoutSettings *MWinGroup::GetScreenLayout() {
  if (!m_window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_window->GetScreenLayout();
}

void MWinGroup::UpdateButtonsActualAreas() {
  for (MWinButton *b = m_first; b; b = b->m_next) b->UpdateActualArea();
}

void MWinGroup::NewLanguageSet() {
  for (MWinButton *b = m_first; b; b = b->m_next) b->NewLanguageSet();
}

void MWinGroup::UpdateButtonsTextStylesFromFontStyleID(const char *id) {
  if (MWinIsIDEmpty(id)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  for (MWinButton *b = m_first; b; b = b->m_next) b->UpdateButtonsTextStylesFromFontStyleID(id);
}

char MWinGroup::Tick() {
  if (!m_shown) return 0;
  char any = 0;
  for (MWinButton *b = m_first; b; b = b->m_next)
    if (b->IsEnabled() && b->Tick()) any = 1;
  return any;
}

char MWinGroup::Render() {
  if (m_valid != 1 || !m_window || !m_mwin || !m_mwin->GetTextures() || !m_shown) return 1;
  for (MWinButton *b = m_first; b; b = b->m_next) {
    if (!b->IsValid()) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
      return 1;
    }
    b->Render();
  }
  // What a widget draws over the others (an open list) lies above every face.
  for (MWinButton *b = m_first; b; b = b->m_next) b->RenderOnTopOfOtherButtons();
  return 1;
}

// ---- Adding ----

char MWinGroup::PreAddButton(const char *id, _MWinButtonType type, float *values) {
  (void)type;
  (void)values;
  if (!m_window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  // Duplicate ids are allowed: the look-up is made but its answer is not used.
  (void)m_window->GetButtonFromID(id, 0);
  return 1;
}

MWinButton *MWinGroup::CompleteAddButton(MWinButton *button) {
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "No button (no memory)");
    return nullptr;
  }
  button->m_prev = m_last;
  button->m_next = nullptr;
  if (m_last)
    m_last->m_next = button;
  else
    m_first = button;
  m_last = button;
  return button;
}

// The kinds with classes of their own are made as those classes.
static MWinButton *NewButtonOfKind(MWin *mwin, const char *id, MWinGroup *group, _MWinButtonType type,
                                   const char *texbut_id, const ENG_CHAR *text, float x, float y, float w, float h) {
  switch (type) {
    case MWIN_BUTTON_LIST: return new MWinList(mwin, id, group, texbut_id, text, x, y, w, h);
    case MWIN_BUTTON_CHECKBOX: return new MWinCheckbox(mwin, id, group, texbut_id, text, x, y, w, h);
    case MWIN_BUTTON_CHOICE: return new MWinChoice(mwin, id, group, texbut_id, text, x, y, w, h);
    case MWIN_BUTTON_TEXT_EDIT: return new MWinTextEdit(mwin, id, group, texbut_id, text, x, y, w, h);
    case MWIN_BUTTON_PANEL: return new MWinPanel(mwin, id, group, texbut_id, text, x, y, w, h);
    default: return new MWinButton(mwin, id, group, type, texbut_id, text, x, y, w, h);
  }
}

MWinButton *MWinGroup::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                 float x, float y, float w, float h) {
  if (!PreAddButton(id, type, nullptr)) return nullptr;
  if (type == MWIN_BUTTON_HORZ_SCROLLBAR || type == MWIN_BUTTON_VERT_SCROLLBAR || type == MWIN_BUTTON_GRAPH ||
      type == MWIN_BUTTON_TAB_PANEL)
    DebugErrorAlt(ENG_FUNC, "Use individual class buttons instead");
  MWinButton *button = NewButtonOfKind(m_mwin, id, this, type, texbut_id, text, x, y, w, h);
  return CompleteAddButton(button);
}

MWinButton *MWinGroup::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                 float x, float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b) {
  MWinButton *button = AddButton(id, type, texbut_id, text, x, y, w, h);
  if (button) button->SetCallback(callback, a, b, 1);
  return button;
}

MWinButton *MWinGroup::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                 float x, float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback) {
  MWinButton *button = AddButton(id, type, texbut_id, text, x, y, w, h);
  if (button) button->SetPlainCallback(callback);
  return button;
}

MWinButton *MWinGroup::AddButton(MWinButton *source) {
  if (!source) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (!PreAddButton(source->GetID(), source->GetType(), nullptr)) return nullptr;
  MWinButton *button =
      NewButtonOfKind(m_mwin, source->GetID(), this, source->GetType(), "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 10, 10);
  button->CopyFromOtherButton(source, 1);
  return CompleteAddButton(button);
}

MWinHorzScrollbar *MWinGroup::AddHorzScrollbar(const char *id, const char *texbut_id, const ENG_CHAR *text, float x,
                                               float y, float w, float h) {
  if (!PreAddButton(id, MWIN_BUTTON_HORZ_SCROLLBAR, nullptr)) return nullptr;
  MWinHorzScrollbar *bar = new MWinHorzScrollbar(m_mwin, id, this, texbut_id, text, x, y, w, h);
  CompleteAddButton(bar);
  return bar;
}

MWinVertScrollbar *MWinGroup::AddVertScrollbar(const char *id, const char *texbut_id, const ENG_CHAR *text, float x,
                                               float y, float w, float h) {
  if (!PreAddButton(id, MWIN_BUTTON_VERT_SCROLLBAR, nullptr)) return nullptr;
  MWinVertScrollbar *bar = new MWinVertScrollbar(m_mwin, id, this, texbut_id, text, x, y, w, h);
  CompleteAddButton(bar);
  return bar;
}

MWinScriptButton *MWinGroup::AddScriptButton(const char *id, const char *texbut_id, float x, float y, float w,
                                             float h) {
  if (!PreAddButton(id, MWIN_BUTTON_DRAG, nullptr)) return nullptr;
  MWinScriptButton *box = new MWinScriptButton(m_mwin, id, this, texbut_id, x, y, w, h);
  CompleteAddButton(box);
  return box;
}

// ---- Removing ----

char MWinGroup::RemoveButton(MWinButton *button) {
  if (!button || !m_first || !m_window) return 0;
  MWinButton *b = m_first;
  while (b && b != button) b = b->m_next;
  if (!b) {
    DebugErrorAlt(ENG_FUNC, "Button <%s> not in window <%s>", MWinDisplayID(button->GetID()),
                  MWinDisplayID(m_window->GetID()));
    return 0;
  }
  MWinButton *prev = button->m_prev, *next = button->m_next;
  char fault = 0;
  if (prev && prev->m_next != button) {
    DebugErrorAlt(ENG_FUNC, "Internal Error A");
    fault = 1;
  } else if (next && next->m_prev != button) {
    DebugErrorAlt(ENG_FUNC, "Internal Error B");
    fault = 1;
  }
  if (prev) prev->m_next = next;
  if (next) next->m_prev = prev;
  if (m_first == button) m_first = next;
  m_last = nullptr;
  for (MWinButton *c = m_first; c; c = c->m_next) m_last = c;
  if (!fault) m_mwin->Discard(button);
  return 1;
}

char MWinGroup::RemoveAllButtonsAfterButton(MWinButton *button) {
  if (!button || !m_first || !m_window) return 0;
  MWinButton *b = m_first;
  while (b && b != button) b = b->m_next;
  if (!b) {
    DebugErrorAlt(ENG_FUNC, "Button <%s> not in window <%s>", MWinDisplayID(button->GetID()),
                  MWinDisplayID(m_window->GetID()));
    return 0;
  }
  while (m_last && m_last != button) RemoveButton(m_last);
  return 1;
}

void MWinGroup::RemoveAllButtons() { DeleteAllButtons(1); }

int MWinGroup::GetNumButtons() {
  int count = 0;
  for (MWinButton *b = m_first; b; b = b->m_next) count++;
  return count;
}

MWinButton *MWinGroup::GetNthButton(int n) {
  if (!m_first) {
    DebugErrorAlt(ENG_FUNC, "No buttons.");
    return nullptr;
  }
  int i = 0;
  for (MWinButton *b = m_first; b; b = b->m_next, i++)
    if (i == n) return b;
  DebugErrorAlt(ENG_FUNC, "Button %d not found.", n);
  return nullptr;
}

// ---- Centring and spacing ----

static std::vector<MWinButton *> ShownOf(MWinButton *first) {
  std::vector<MWinButton *> list;
  for (MWinButton *b = first; b; b = b->m_next)
    if (b->IsShown()) list.push_back(b);
  return list;
}

void MWinGroup::CenterButtons(MWinWindow *window, const std::vector<MWinButton *> &buttons, char horizontally,
                              char vertically, char raise_for_title) {
  if (!window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  if (buttons.empty()) return;
  float left = 0, right = 0, top = 0, bottom = 0;
  for (size_t i = 0; i < buttons.size(); i++) {
    const _Dimension *a = buttons[i]->GetOrigArea();
    if (i == 0 || a->x < left) left = a->x;
    if (i == 0 || a->x + a->width > right) right = a->x + a->width;
    if (i == 0 || a->y < top) top = a->y;
    if (i == 0 || a->y + a->height > bottom) bottom = a->y + a->height;
  }
  float window_w = 0, window_h = 0;
  window->GetOrigPos(nullptr, nullptr, &window_w, &window_h);
  float target_y = 0.5f * window_h;
  if (raise_for_title && window->HasTitleBar()) {
    MWinLayoutSettings *layout = window->GetScreenLayout();
    if (layout) target_y -= 0.5f * layout->title_bar_height;
  }
  float dx = horizontally ? 0.5f * window_w - 0.5f * (left + right) : 0;
  float dy = vertically ? target_y - 0.5f * (top + bottom) : 0;
  for (MWinButton *b : buttons) {
    _Dimension area = *b->GetOrigArea();
    area.x += dx;
    area.y += dy;
    b->SetOrigArea(&area);
  }
}

void MWinGroup::SpaceButtons(const std::vector<MWinButton *> &buttons, char horizontally, char vertically) {
  if (buttons.size() < 3) return;
  // Gaps are the same in window and screen coordinates; the window offset cancels out.
  float gap_x = 0, gap_y = 0;
  for (size_t i = 1; i < buttons.size(); i++) {
    const _Dimension *prev = buttons[i - 1]->GetOrigArea(), *a = buttons[i]->GetOrigArea();
    gap_x += a->x - (prev->x + prev->width);
    gap_y += a->y - (prev->y + prev->height);
  }
  gap_x /= float(buttons.size() - 1);
  gap_y /= float(buttons.size() - 1);
  for (size_t i = 1; i < buttons.size(); i++) {
    const _Dimension *prev = buttons[i - 1]->GetOrigArea();
    const _Dimension *a = buttons[i]->GetOrigArea();
    float x = horizontally ? prev->x + prev->width + gap_x : a->x;
    float y = vertically ? prev->y + prev->height + gap_y : a->y;
    buttons[i]->SetOrigPos(x, y);
  }
}

void MWinGroup::CenterAllShownButtons(char horizontally, char vertically) {
  if (!m_window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  CenterButtons(m_window, ShownOf(m_first), horizontally, vertically, 0);
}

void MWinGroup::CenterGroupOfButtons(MWinButton **list, char horizontally, char vertically) {
  if (!m_window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_window->CenterGroupOfButtons(list, horizontally, vertically);
}

void MWinGroup::SpaceAllShownButtons(char horizontally, char vertically) {
  if (!m_window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  SpaceButtons(ShownOf(m_first), horizontally, vertically);
}

void MWinGroup::SpaceGroupOfButtons(MWinButton **list, char horizontally, char vertically) {
  if (!m_window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_window->SpaceGroupOfButtons(list, horizontally, vertically);
}
