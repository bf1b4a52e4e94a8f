#include "Engine/MWin/MWinDesktop.h"

#include <array>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDim.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

MWinDesktop::MWinDesktop(MWin *mwin) : m_mwin(mwin) {
  if (!mwin) DebugExitPopup("MWinDesktop", "Internal Error (MWinDesktop)");
}

MWinDesktop::~MWinDesktop() {
  m_alive = 0;
  RemoveAllCollections();
  DestroyGraphicsObjects();
}

MWinCollection *MWinDesktop::AddCollection(const char *id) {
  MWinEntryScope scope(m_mwin);
  if (GetCollectionFromID(id, 0)) {
    DebugErrorAlt(ENG_FUNC, "Collection already exists <%s>", MWinDisplayID(id));
    return nullptr;
  }
  MWinCollection *collection = new MWinCollection(m_mwin, id, this);
  MWinCollection *last = nullptr;
  for (MWinCollection *c = m_first; c; c = c->m_next) {
    c->Deactivate();
    last = c;
  }
  collection->m_prev = last;
  if (last)
    last->m_next = collection;
  else
    m_first = collection;
  collection->Activate();
  m_mwin->HoldKeyboardFocus();
  return collection;
}

char MWinDesktop::DoesCollectionExist(const char *id) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt("MWinCollection *MWinDesktop::GetCollectionFromID(const char *, char)", "No Collection ID");
    return 0;
  }
  return GetCollectionFromID(id, 0) ? 1 : 0;
}

MWinCollection *MWinDesktop::GetCollectionFromID(const char *id, char report) {
  if (MWinIsIDEmpty(id)) {
    if (report) DebugErrorAlt(ENG_FUNC, "No Collection ID");
    return nullptr;
  }
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (MWinAreIDsTheSame(c->GetID(), id)) return c;
  if (report) DebugErrorAlt(ENG_FUNC, "ID <%s> not found", id);
  return nullptr;
}

char MWinDesktop::RemoveCollection(const char *id) {
  MWinCollection *collection = GetCollectionFromID(id, 0);
  if (!collection) {
    DebugErrorAlt(ENG_FUNC, "Could not find collection");
    return 0;
  }
  if (collection->m_prev)
    collection->m_prev->m_next = collection->m_next;
  else
    m_first = collection->m_next;
  if (collection->m_next) collection->m_next->m_prev = collection->m_prev;
  m_mwin->Discard(collection);
  return 1;
}

void MWinDesktop::RemoveAllCollections() {
  if (m_mwin->PopupIsOn()) {
    DebugErrorAlt(ENG_FUNC, "Popup was on - turning it off");
    m_mwin->PopupTurnOff();
  }
  while (m_first) {
    MWinCollection *last = m_first;
    while (last->m_next) last = last->m_next;
    if (last->m_prev)
      last->m_prev->m_next = nullptr;
    else
      m_first = nullptr;
    m_mwin->Discard(last);
  }
  m_mwin->RenderNeeded();
}

char MWinDesktop::SetActiveCollection(const char *id) {
  MWinEntryScope scope(m_mwin);
  MWinCollection *collection = GetCollectionFromID(id, 0);
  if (!collection) {
    DebugErrorAlt(ENG_FUNC, "Could not find collection %s", MWinDisplayID(id));
    return 0;
  }
  if (!collection->IsActive()) collection->Activate();
  return 1;
}

void MWinDesktop::ActivateCollectionUnderMouse() {
  MWinEntryScope scope(m_mwin);
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (c->IsActive()) c->Deactivate();
  DoActivateCollectionUnderMouse();
}

MWinCollection *MWinDesktop::GetActiveCollection() {
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (c->IsActive()) return c;
  return nullptr;
}

MWinWindow *MWinDesktop::GetActiveWindow() {
  MWinCollection *collection = GetActiveCollection();
  return collection ? collection->GetActiveWindow() : nullptr;
}

MWinButton *MWinDesktop::GetActiveButton() {
  MWinWindow *window = GetActiveWindow();
  return window ? window->GetActiveButton() : nullptr;
}

void MWinDesktop::SetDarken(char on, float alpha) {
  m_darken = on;
  m_darken_alpha = alpha;
}

// The last collection in list order without an overall area or with the cursor in it.
MWinCollection *MWinDesktop::GetCollectionUnderMouse() {
  MWinCollection *under = nullptr;
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (!c->IsOverallAreaSet() || m_mwin->IsMouseScreenCursorInArea(c->GetOverallArea())) under = c;
  return under;
}

char MWinDesktop::DoActivateCollectionUnderMouse() {
  MWinCollection *under = GetCollectionUnderMouse();
  if (!under) {
    for (MWinCollection *c = m_first; c; c = c->m_next)
      if (c->IsActive()) c->Deactivate();
    return 0;
  }
  if (under->IsActive()) return 1;
  under->Activate();
  under->ActivateWindowUnderMouse();
  return 1;
}

// The collections active when the event arrived, and only those: a popup or screen that one of
// them opens while handling a key is not handed the same key (the press that asks a question
// must not answer it).
template <typename F>
char MWinDesktop::ForActiveCollections(F f) {
  std::vector<std::array<char, sizeof(MWinID)>> ids;
  for (MWinCollection *c = m_first; c; c = c->m_next) {
    if (!c->IsActive()) continue;
    ids.emplace_back();
    MWinCopyID(ids.back().data(), c->GetID());
  }
  for (const auto &id : ids) {
    MWinCollection *c = GetCollectionFromID(id.data(), 0);
    // One deactivated by an earlier one's handling (a popup opening) is passed over too.
    if (!c || !c->IsActive()) continue;
    f(c);
    if (!m_alive || !m_mwin->IsOn() || GetCollectionFromID(id.data(), 0) != c) return 1;
  }
  return 0;
}

char MWinDesktop::Tick() {
  MWinEntryScope scope(m_mwin);
  char any = 0;
  for (MWinCollection *c = m_first; c;) {
    MWinID id;
    MWinCopyID(id, c->GetID());
    if (c->Tick()) any = 1;
    MWinCollection *same = m_alive && m_mwin->IsOn() ? GetCollectionFromID(id, 0) : nullptr;
    if (!same) break;
    c = same->m_next;
  }
  return any;
}

void MWinDesktop::RenderAllExceptPopupCollection(char darken_now) {
  MWinCollection *popup = m_mwin->GetPopupCollection();
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (!c->IsActive()) c->Render();
  if (darken_now) RenderDarkening();
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (c->IsActive() && c != popup) c->Render();
}

void MWinDesktop::RenderDarkening() {
  if (m_darken) EngDimDarkenScreen(m_darken_alpha);
}

char MWinDesktop::RenderPopupCollection() {
  MWinCollection *popup = m_mwin->GetPopupCollection();
  if (!popup) return 0;
  if (popup->GetID()[0] != 'M') {
    DebugErrorAlt(ENG_FUNC, "Invalid popup collection");
    return 0;
  }
  popup->Render();
  return 1;
}

// An open drop-down list takes every event before the collections.
#define OPEN_LIST_TAKES(call)                                \
  do {                                                       \
    MWinButton *open_list = GetActiveButton();               \
    if (open_list && open_list->ListIsOpen()) return call;   \
  } while (0)

char MWinDesktop::HandleMouseMove() {
  MWinEntryScope scope(m_mwin);
  MWinButton *open_list = GetActiveButton();
  if (open_list && open_list->ListIsOpen()) {
    open_list->HandleMouseMove();
    return 1;
  }
  if (m_mwin->GetSettings()->activate_collection_under_mouse && !DoActivateCollectionUnderMouse()) return 0;
  MWinCollection *active = GetActiveCollection();
  return active ? active->HandleMouseMove() : 0;
}

char MWinDesktop::HandleButtonPressed(char button, char state, char flag) {
  MWinEntryScope scope(m_mwin);
  OPEN_LIST_TAKES(open_list->HandleMouseButtonPressed(button, state, flag));
  MWinCollection *under = GetCollectionUnderMouse();
  if (!under) return 0;
  if (!under->IsActive()) under->Activate();
  return under->HandleButtonPressed(button, state, flag);
}

char MWinDesktop::HandleMouseButtonDoubleClicked(char button) {
  MWinEntryScope scope(m_mwin);
  OPEN_LIST_TAKES(open_list->HandleMouseButtonDoubleClicked(button));
  char result = 0;
  if (ForActiveCollections([&](MWinCollection *c) { result = c->HandleMouseButtonDoubleClicked(button); })) return 1;
  return result;
}

char MWinDesktop::HandleMouseWheel(int delta) {
  MWinEntryScope scope(m_mwin);
  OPEN_LIST_TAKES(open_list->HandleMouseWheel(delta));
  int sum = 0;
  if (ForActiveCollections([&](MWinCollection *c) { sum += c->HandleMouseWheel(delta); })) return 1;
  return sum > 0 ? 1 : 0;
}

char MWinDesktop::HandleKeyDown(int key) {
  MWinEntryScope scope(m_mwin);
  OPEN_LIST_TAKES(open_list->HandleKeyDown(key));
  int sum = 0;
  if (ForActiveCollections([&](MWinCollection *c) { sum += c->HandleKeyDown(key); })) return 1;
  return sum != 0 ? 1 : 0;
}

char MWinDesktop::HandleKeyDownUChar(unsigned char ch) {
  MWinEntryScope scope(m_mwin);
  OPEN_LIST_TAKES(open_list->HandleKeyDownUChar(ch));
  int sum = 0;
  if (ForActiveCollections([&](MWinCollection *c) { sum += c->HandleKeyDownUChar(ch); })) return 1;
  return sum != 0 ? 1 : 0;
}

char MWinDesktop::HandleKeyUp(int key) {
  MWinEntryScope scope(m_mwin);
  OPEN_LIST_TAKES(open_list->HandleKeyUp(key));
  int sum = 0;
  if (ForActiveCollections([&](MWinCollection *c) { sum += c->HandleKeyUp(key); })) return 1;
  return sum != 0 ? 1 : 0;
}

#undef OPEN_LIST_TAKES

char MWinDesktop::CreateGraphicsObjects() {
  char ok = 1;
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (!c->CreateGraphicsObjects()) ok = 0;
  return ok;
}

void MWinDesktop::DestroyGraphicsObjects() {
  for (MWinCollection *c = m_first; c; c = c->m_next) c->DestroyBgTexture();
  for (MWinCollection *c = m_first; c; c = c->m_next) c->DestroyGraphicsObjects();
}

char MWinDesktop::CreateBgTextures() {
  char ok = 1;
  for (MWinCollection *c = m_first; c; c = c->m_next)
    if (!c->CreateBgTexture()) ok = 0;
  return ok;
}

void MWinDesktop::DestroyBgTextures() {
  for (MWinCollection *c = m_first; c; c = c->m_next) c->DestroyBgTexture();
}
