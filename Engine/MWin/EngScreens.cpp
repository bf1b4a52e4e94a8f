#include "Engine/MWin/EngScreens.h"

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollectionController.h"

EngScreens::EngScreens(MWin *mwin, void *user) : m_mwin(mwin), m_user(user), m_screens(0) {
  if (!mwin) DebugErrorAlt(ENG_FUNC, "No mwinp");
}

EngScreens::~EngScreens() {
  RemoveAll();
  m_current_index = -1;
  m_on = 0;
}

void EngScreens::Init() { RemoveAll(); }

void EngScreens::Exit() {
  RemoveAll();
  m_current_index = -1;
  m_on = 0;
}

char EngScreens::Add(euint id, MWinCollectionController *controller) {
  int count = m_screens.GetNumEntriesQuick();
  for (int i = 0; i < count; i++) {
    if (static_cast<EngScreen *>(m_screens.GetEntryDataQuick(i))->id == id) {
      DebugErrorAlt(ENG_FUNC, "Screen [%s] already exists.", EngGetFourCharIDAsString(id));
      return 0;
    }
  }
  EngScreen entry;
  ResetScreen(&entry);
  entry.id = id;
  entry.controller = controller;
  if (m_screens.AddEntry(&entry, sizeof(entry)) < 0) {
    DebugErrorAlt(ENG_FUNC, "Could not add screen.");
    return 0;
  }
  return 1;
}

void EngScreens::RemoveScreen(int index) {
  EngScreen *screen = static_cast<EngScreen *>(m_screens.GetEntryData(index, nullptr));
  if (!screen) return;
  if (screen->controller) {
    // An unbound controller may not be ready to have its variables cleared.
    if (screen->controller->m_screens)
      screen->controller->RemoveVars();
    else
      DebugErrorAlt(ENG_FUNC, "Bad controller_p");
  }
  ResetScreen(screen);
}

void EngScreens::RemoveAll() {
  int count = m_screens.GetNumEntriesQuick();
  for (int i = 0; i < count; i++) RemoveScreen(i);
  m_screens.RemoveAllEntries();
}

void EngScreens::Forget() {
  m_screens.RemoveAllEntries();
  m_current_index = -1;
  m_on = 0;
}

void EngScreens::ResetScreen(EngScreen *screen) {
  if (!screen) {
    DebugErrorAlt(ENG_FUNC, "No screen");
    return;
  }
  screen->id = 0;
  screen->controller = nullptr;
  screen->previous = 0;
  screen->from = 0;
}

EngScreen *EngScreens::GetScreenFromID(euint id, int *index) {
  int count = m_screens.GetNumEntriesQuick();
  for (int i = 0; i < count; i++) {
    EngScreen *screen = static_cast<EngScreen *>(m_screens.GetEntryDataQuick(i));
    if (screen->id == id) {
      if (index) *index = i;
      return screen;
    }
  }
  DebugErrorAlt(ENG_FUNC, "Screen [%s] not found.", EngGetFourCharIDAsString(id));
  return nullptr;
}

EngScreen *EngScreens::Current() {
  // The index can outlive the entries (RemoveAll keeps it), so check it against the list.
  if (m_current_index < 0 || m_current_index >= m_screens.GetNumEntriesQuick()) return nullptr;
  return static_cast<EngScreen *>(m_screens.GetEntryDataQuick(m_current_index));
}

void EngScreens::CallPreChange() {
  if (m_pre_change_cb) m_pre_change_cb(m_mwin, m_user);
}

void EngScreens::CallPostChange() {
  if (m_post_change_cb) m_post_change_cb(m_mwin, m_user);
}

void EngScreens::TurnOn(char mode) {
  if (m_on) return;
  char start_root;
  if (mode == 0)
    start_root = 0;
  else if (mode > 0)
    start_root = 1;
  else
    start_root = (m_mwin && m_mwin->IsOn()) ? 0 : 1;

  m_ui_started = 0;
  if (start_root) {
    if (!m_mwin) {
      DebugErrorAlt(ENG_FUNC, "No mwinp");
    } else if (!m_mwin->Startup()) {
      DebugExitPopupAlt(ENG_FUNC, "Could not start the user interface");
      return;
    } else {
      m_ui_started = 1;
    }
  }
  CallPreChange();
  StartCurrent(nullptr);
  CallPostChange();
}

void EngScreens::TurnOff(char mode) {
  if (!m_on) return;
  StopCurrent();
  if (m_ui_started == -1) DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
  char shut_down;
  if (mode == 0)
    shut_down = 0;
  else if (mode > 0)
    shut_down = 1;
  else
    shut_down = m_ui_started != 0;
  if (shut_down) {
    if (m_mwin)
      m_mwin->Shutdown();
    else
      DebugErrorAlt(ENG_FUNC, "No mwinp");
    if (mode == 2) ResetCurrent();
  }
  m_ui_started = -1;
  m_on = 0;
}

void EngScreens::StartCurrent(void *arg) {
  if (!m_mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwinp");
    return;
  }
  if (!m_mwin->IsOn()) {
    DebugErrorAlt(ENG_FUNC, "MWin is not on");
    return;
  }
  if (m_current_id == 0) {
    DebugErrorAlt(ENG_FUNC, "No start screen set.");
    return;
  }
  EngScreen *screen = Current();
  if (!screen) return;
  MWinCollectionController *controller = screen->controller;
  DebugAssertAlt(controller ? 1 : 0, ENG_FUNC, "No controller");
  if (!controller) return;
  controller->CreateCollection(m_mwin);
  m_on = 1;
  controller->StartingCB(arg);
  m_mwin->ButtonsChanged();
}

void EngScreens::StopCurrent() {
  EngScreen *screen = Current();
  if (screen && screen->controller) screen->controller->RemoveVars();
}

void EngScreens::ResetCurrent() {
  m_current_id = 0;
  m_current_index = -1;
}

char EngScreens::SetCurrentScreenID(euint id) {
  ResetCurrent();
  int index = -1;
  if (!GetScreenFromID(id, &index)) {
    DebugErrorAlt(ENG_FUNC, "Screen [%s] not found.", EngGetFourCharIDAsString(id));
    return 0;
  }
  m_current_id = id;
  m_current_index = index;
  return 1;
}

char EngScreens::SetPreviousScreenID(euint id) {
  EngScreen *screen = Current();
  if (!screen) return 0;
  screen->previous = GetScreenFromID(id, nullptr) ? id : 0;
  return 1;
}

char EngScreens::SetFromScreenID(euint id) {
  EngScreen *screen = Current();
  if (!screen) return 0;
  screen->from = GetScreenFromID(id, nullptr) ? id : 0;
  return 1;
}

euint EngScreens::GetPreviousScreenID() {
  EngScreen *screen = Current();
  return screen ? screen->previous : 0;
}

euint EngScreens::GetFromScreenID() {
  EngScreen *screen = Current();
  return screen ? screen->from : 0;
}

void EngScreens::GotoScreen(euint id, void *arg) {
  euint old_id = m_current_id;
  if (!GetScreenFromID(id, nullptr)) return;
  StopCurrent();
  SetCurrentScreenID(id);
  // One look-up serves both fields, so an unknown old id is reported once.
  euint entered_from = GetScreenFromID(old_id, nullptr) ? old_id : 0;
  if (EngScreen *screen = Current()) {
    screen->previous = entered_from;
    screen->from = entered_from;
  }
  CallPreChange();
  StartCurrent(arg);
  CallPostChange();
}

void EngScreens::GoBack() {
  EngScreen *screen = Current();
  if (!screen) return;
  euint previous = screen->previous;
  euint old_id = m_current_id;
  if (!GetScreenFromID(previous, nullptr)) return;
  StopCurrent();
  SetCurrentScreenID(previous);
  SetFromScreenID(old_id);
  CallPreChange();
  StartCurrent(nullptr);
  CallPostChange();
}

void EngScreens::ReloadCurrentScreen() {
  StopCurrent();
  CallPreChange();
  StartCurrent(nullptr);
  CallPostChange();
  if (m_mwin) m_mwin->ButtonsChanged();
}

int EngScreens::Tick() {
  if (!m_on) return 0;
  EngScreen *screen = Current();
  if (screen && screen->controller) screen->controller->TickCB();
  if (!eng_main_program || eng_main_program->IsExiting() || !m_on) return 0;
  if (m_main_tick_cb) {
    m_main_tick_cb(m_mwin, m_user);
    if (!m_on) return 1;
  }
  if (m_mwin) m_mwin->Tick2();
  return 1;
}

void EngScreens::Render(_MWinRenderStage stage) {
  if (!m_on) return;
  EngScreen *screen = Current();
  if (screen && screen->controller) screen->controller->RenderCB(stage);
}
