#include "Engine/MWin/MWinGroup.h"

#include "Engine/EngDebug.h"
#include "Engine/MWin/MWinButton.h"

MWinGroup::MWinGroup(MWin *mwin, MWinWindow *window) : m_mwin(mwin), m_window(window) {}

MWinGroup::~MWinGroup() {
  RemoveAllButtons();
  m_valid = 0;
}

MWinButton *MWinGroup::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                 float x, float y, float w, float h) {
  return CompleteAddButton(new MWinButton(m_mwin, id, this, type, texbut_id, text, x, y, w, h));
}

MWinButton *MWinGroup::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                 float x, float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b) {
  MWinButton *button = AddButton(id, type, texbut_id, text, x, y, w, h);
  if (button && callback) button->SetCallback(callback, a, b, 1);
  return button;
}

MWinButton *MWinGroup::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                 float x, float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback) {
  MWinButton *button = AddButton(id, type, texbut_id, text, x, y, w, h);
  if (button && callback) button->SetPlainCallback(callback);
  return button;
}

MWinButton *MWinGroup::CompleteAddButton(MWinButton *button) {
  if (!button) return nullptr;
  button->m_prev = m_last;
  button->m_next = nullptr;
  if (m_last)
    m_last->m_next = button;
  else
    m_first = button;
  m_last = button;
  return button;
}

char MWinGroup::RemoveButton(MWinButton *button) {
  if (!button || button->GetGroup() != this) return 0;
  MWinButton *prev = button->m_prev, *next = button->m_next;
  // Deleted while still linked, so its destructor can still be found by its ids and drop any
  // message queued for it.
  delete button;
  if (prev)
    prev->m_next = next;
  else
    m_first = next;
  if (next)
    next->m_prev = prev;
  else
    m_last = prev;
  return 1;
}

char MWinGroup::RemoveAllButtonsAfterButton(MWinButton *button) {
  if (!button || button->GetGroup() != this) return 0;
  while (m_last && m_last != button) RemoveButton(m_last);
  return 1;
}

void MWinGroup::RemoveAllButtons() {
  while (m_last) RemoveButton(m_last);
}

int MWinGroup::GetNumButtons() {
  int count = 0;
  for (MWinButton *b = m_first; b; b = b->m_next) count++;
  return count;
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

void MWinGroup::NewLanguageSet() {}

char MWinGroup::Render() {
  if (m_valid != 1 || !m_window || !m_shown) return 0;
  for (MWinButton *b = m_first; b; b = b->m_next) {
    if (!b->IsValid()) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
      return 0;
    }
    b->Render();
  }
  return 1;
}

void MWinGroup::UpdateButtonsActualAreas() {
  for (MWinButton *b = m_first; b; b = b->m_next) b->UpdateActualArea();
}
