// The log viewer, screen 'LOGS': the last lines of the program's own log file in a scrolling
// multi-select panel, copied whole or in part to the system clipboard under a header naming
// the game, its version, the platform and the time, and cleared. The lines are read once when
// the screen starts; lines logged while it is shown appear after Clear or on the next visit.
#pragma once

#include "screens/layouts/LogCollectionController.h"

class EngIndexedList;

// At most this many log lines are kept (the newest ones).
enum { LOG_CC_MAX_ENTRIES = 20000 };

class LogCC : public LogCollectionController {
 public:
  // The screens table owns the list of lines and deletes it after Exit.
  explicit LogCC(EngIndexedList *entries);

  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  // Fills the lines from the log file, else (when it exists but cannot be read) from the debug
  // module's message store.
  void LoadLogs();
  int GetNumLogEntries();
  // The line's text, or "" for an index without a line.
  const char *GetLogEntry(int index);
  const char *FillLogPanel(int row);
  static const char *FillLogPanel_Static(int row, MWinButton *button, void *user);
  // Copies every line (0) or the panel's selected rows (1) to the clipboard.
  void DoCopy(char selected_only);
  void ClearCB();
  void Exit();

 private:
  void AddEntry(const char *text);
  void Popup(char error, const char *text);

  EngIndexedList *m_entries;
};
