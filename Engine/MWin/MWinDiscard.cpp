// The root's removal of widgets, groups, windows and collections. Their owners unlink them and
// hand them here: outside the toolkit's entry points they are freed at once, inside they wait
// until the outermost entry point returns. Either way a message queued for them is dropped,
// their graphics objects are released now, and nothing refers to them as default or escape.
#include "Engine/MWin/MWin.h"

#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

// Drops the queued message when its ids name the removed object (null ids match anything).
static char QueuedFor(const char *queued_c, const char *queued_w, const char *queued_b, const char *c,
                      const char *w, const char *b) {
  if (!c) return 0;
  if (!MWinAreIDsTheSame(queued_c, c)) return 0;
  if (w && !MWinAreIDsTheSame(queued_w, w)) return 0;
  if (b && !MWinAreIDsTheSame(queued_b, b)) return 0;
  return 1;
}

void MWin::Discard(MWinButton *button) {
  if (!button) return;
  MWinWindow *window = button->GetWindow();
  if (window) {
    window->ForgetButton(button);
    MWinCollection *collection = window->GetCollection();
    if (m_message_count > 0 && collection &&
        QueuedFor(m_queued_collection, m_queued_window, m_queued_button, collection->GetID(), window->GetID(),
                  button->GetID()))
      m_message_count = 0;
  }
  button->MarkRemoved();
  button->DestroyGraphicsObjects();
  if (m_scope_depth > 0)
    m_discarded_buttons.push_back(button);
  else
    delete button;
}

void MWin::Discard(MWinGroup *group) {
  if (!group) return;
  group->m_removed = 1;
  if (m_scope_depth > 0)
    m_discarded_groups.push_back(group);
  else
    delete group;
}

void MWin::Discard(MWinWindow *window) {
  if (!window) return;
  MWinCollection *collection = window->GetCollection();
  if (m_message_count > 0 && collection &&
      QueuedFor(m_queued_collection, m_queued_window, m_queued_button, collection->GetID(), window->GetID(),
                nullptr))
    m_message_count = 0;
  window->MarkRemoved();
  window->DestroyGraphicsObjects();
  if (m_scope_depth > 0)
    m_discarded_windows.push_back(window);
  else
    delete window;
}

void MWin::Discard(MWinCollection *collection) {
  if (!collection) return;
  if (m_message_count > 0 &&
      QueuedFor(m_queued_collection, m_queued_window, m_queued_button, collection->GetID(), nullptr, nullptr))
    m_message_count = 0;
  collection->MarkRemoved();
  collection->DestroyGraphicsObjects();
  if (m_scope_depth > 0)
    m_discarded_collections.push_back(collection);
  else
    delete collection;
}

void MWin::LeaveScope() {
  if (m_scope_depth > 0) m_scope_depth--;
  if (m_scope_depth == 0) FreeDiscarded();
}

int MWin::GetNumDiscarded() const {
  return int(m_discarded_buttons.size() + m_discarded_groups.size() + m_discarded_windows.size() +
             m_discarded_collections.size());
}

// Children before their owners: a removed widget may belong to a removed window. Whatever the
// destructors remove meanwhile joins the lists and is freed in the same call.
void MWin::FreeDiscarded() {
  if (m_freeing) return;
  m_freeing = 1;
  m_scope_depth++;
  while (GetNumDiscarded() > 0) {
    std::vector<MWinButton *> buttons;
    buttons.swap(m_discarded_buttons);
    for (MWinButton *b : buttons) delete b;
    std::vector<MWinGroup *> groups;
    groups.swap(m_discarded_groups);
    for (MWinGroup *g : groups) delete g;
    std::vector<MWinWindow *> windows;
    windows.swap(m_discarded_windows);
    for (MWinWindow *w : windows) delete w;
    std::vector<MWinCollection *> collections;
    collections.swap(m_discarded_collections);
    for (MWinCollection *c : collections) delete c;
  }
  m_scope_depth--;
  m_freeing = 0;
}
