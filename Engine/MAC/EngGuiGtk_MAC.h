// What the two GTK files of the native dialogs share: the dialog record, the widget look-ups and
// the text conversions. Included only by EngGui*_MAC.cpp.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "Engine/MAC/EngGui_MAC.h"

struct _EngGuiDialog {
  GtkBuilder *builder = nullptr;  // null for a window built in code
  GtkWidget *window = nullptr;
  GtkWidget *fixed = nullptr;  // the content of a window built in code
  std::string name;
  EngGuiEventHandler handler = nullptr;
  void *user = nullptr;
  GMainLoop *loop = nullptr;
  char ended = 0;  // its loop was asked to end
  guint driver_source = 0;
  std::vector<GtkWidget *> created;
  // Flags of callers up the stack that must know when a callback destroyed the dialog.
  std::vector<bool *> watchers;
};

// Tells whether the dialog outlived what ran while it was watched.
class EngGuiWatch {
 public:
  explicit EngGuiWatch(_EngGuiDialog *dialog) : m_dialog(dialog) { dialog->watchers.push_back(&m_alive); }
  ~EngGuiWatch() {
    if (!m_alive) return;
    for (size_t i = 0; i < m_dialog->watchers.size(); i++)
      if (m_dialog->watchers[i] == &m_alive) m_dialog->watchers.erase(m_dialog->watchers.begin() + long(i));
  }
  bool Alive() const { return m_alive; }

 private:
  _EngGuiDialog *m_dialog;
  bool m_alive = true;
};

inline GtkWidget *EngGuiWidget(EngGuiControlRef control) { return reinterpret_cast<GtkWidget *>(control); }
inline EngGuiControlRef EngGuiControl(GtkWidget *widget) { return reinterpret_cast<EngGuiControlRef>(widget); }

// Set while the program itself changes a control, so that no command is sent for it.
extern int eng_gui_quiet;
struct EngGuiQuiet {
  EngGuiQuiet() { eng_gui_quiet++; }
  ~EngGuiQuiet() { eng_gui_quiet--; }
};

// The statuses these calls answer with, numbered as the system's own so that logs read alike.
enum : EngInt32 {
  ENG_GUI_STATUS_PARAM = -50,
  ENG_GUI_STATUS_MENU_ITEM_NOT_FOUND = -5622,
};

_EngGuiDialog *EngGuiDialogOfWidget(GtkWidget *widget);
void EngGuiAttachWidget(_EngGuiDialog *dialog, GtkWidget *widget, EngUInt32 command);
std::string EngGuiToUtf8(const char *latin1);
std::string EngGuiFromUtf8(const char *utf8);
// Copies Latin-1 text into the buffer, always ended: 1 when it fitted, -1 when cut.
int EngGuiCopyOut(const std::string &text, char *buffer, int size);
