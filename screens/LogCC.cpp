#include "screens/LogCC.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngIndexedList.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMiscDate.h"
#include "Engine/EngMiscString.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Main.h"
#include "screens/ScreensText.h"

// The line buffer: a line of up to 511 characters, its line feed and the terminator; longer
// lines arrive in pieces of 511.
enum { kLineBufferSize = 513, kLineReadSize = 512, kHeaderSize = 128 };

LogCC::LogCC(EngIndexedList *entries) : m_entries(entries) {}

void LogCC::Popup(char error, const char *text) {
  if (!m_mwin) return;
  if (error)
    m_mwin->PopupErrorMessage(text);
  else
    m_mwin->PopupMessage(text);
}

void LogCC::AddEntry(const char *text) {
  if (m_entries) m_entries->AddEntry(text, int(strlen(text)) + 1);
}

int LogCC::GetNumLogEntries() { return m_entries ? m_entries->GetNumEntries() : 0; }

const char *LogCC::GetLogEntry(int index) {
  if (!m_entries || index < 0 || index >= m_entries->GetNumEntries()) return "";
  const char *text = static_cast<const char *>(m_entries->GetEntryDataQuick(index));
  return text ? text : "";
}

void LogCC::Exit() {
  if (m_entries) m_entries->RemoveAllEntries();
}

void LogCC::LoadLogs() {
  Exit();
  char *line = static_cast<char *>(EngMalloc(kLineBufferSize, "LoadLogs", 0));
  const char *path = DebugGetLogFilename();
  // A folder at the log's path counts as a log that cannot be read, not as no log at all.
  const char exists = EngFileExists(path, 0) || EngFileDirectoryExists(path) ? 1 : 0;
  int skip = 0;
  for (int pass = 0; pass < 2; pass++) {
    int count = 0;
    char from_file = 0;
    if (exists && line) {
      EngFile file;
      if (file.OpenForReading(path, 1, 1)) {
        from_file = 1;
        while (file.ReadLine(line, kLineReadSize)) {
          EngMiscRemoveAnyCarriageReturnsFromEndOfString(line);
          if (!line[0]) continue;
          if (pass == 1 && count >= skip) {
            if (count == skip && skip >= 1) AddEntry(ScreensText("Logs_Truncated", "(Entries Truncated)"));
            for (char *c = line; *c; c++)
              if (*c == '|') *c = '>';
            AddEntry(line);
          }
          count++;
        }
        file.Close();
      }
    }
    // A log that exists but cannot be read, or no memory to read it: the messages in memory.
    if (!from_file && (exists || !line)) {
      DebugErrorAlt(ENG_FUNC, "Could not load logfile.");
      const int num = DebugGetNumMessages();
      for (int i = 0; i < num; i++) {
        const _DebugMessage *message = DebugGetMessage(i);
        if (!message || !message->text[0]) continue;
        if (pass == 1 && count >= skip) AddEntry(message->text);
        count++;
      }
    }
    if (pass == 0) skip = count > LOG_CC_MAX_ENTRIES ? count - LOG_CC_MAX_ENTRIES : 0;
  }
  if (line) EngFree(line, 0, "LoadLogs");
}

void LogCC::StartingCB(void *) {
  LoadLogs();
  int rows = GetNumLogEntries();
  if (rows < 1) rows = 1;
  if (auto *panel = dynamic_cast<MWinPanel *>(mwinLogMainWinLogButton)) {
    panel->SetTransparency(0.6f);
    panel->PanelAllowNoPos();
    panel->PanelAllowMultisel(1, 1);
    panel->PanelSetStringsCallback(rows, -2, FillLogPanel_Static, this);
    panel->PanelSetDisplayPos(float(rows - 1));
  }
  if (!VariousAreClipboardFunctionsImplemented()) {
    for (MWinButton *button : {mwinLogMainWinCopyAllButton, mwinLogMainWinCopySelButton, mwinLogMainWinHelpButton})
      if (button) button->Hide();
  }
}

const char *LogCC::FillLogPanel(int row) {
  if (GetNumLogEntries() == 0) return row == 0 ? ScreensText("Logs_NoEntries", "No log entries.") : "";
  return GetLogEntry(row);
}

const char *LogCC::FillLogPanel_Static(int row, MWinButton *, void *user) {
  return user ? static_cast<LogCC *>(user)->FillLogPanel(row) : "";
}

char LogCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (info && info->button) button = info->button;
  if (!button || !mwinLogMainWinWindow) return 0;
  auto *panel = dynamic_cast<MWinPanel *>(mwinLogMainWinLogButton);
  if (button == mwinLogMainWinLogButton) return 1;
  if (button == mwinLogMainWinCopySelButton) {
    if (GetNumLogEntries() == 0)
      Popup(0, ScreensText("Logs_NothingToCopy", "There are no log entries to copy."));
    else if (!panel || panel->PanelGetNumSelectedItems() < 1)
      Popup(0, ScreensText("Logs_NoneSelected", "You have not selected any lines."));
    else
      DoCopy(1);
    return 1;
  }
  if (button == mwinLogMainWinCopyAllButton) {
    if (GetNumLogEntries() == 0)
      Popup(0, ScreensText("Logs_NothingToCopy", "There are no log entries to copy."));
    else
      DoCopy(0);
    return 1;
  }
  if (button == mwinLogMainWinHelpButton) {
    Popup(0, ScreensText("Logs_Help",
                                     "Use the copy buttons to copy the log entries to the system clipboard.\n\nYou "
                                     "can then use an external app's \"Paste\" command to paste the entries into an "
                                     "e-mail or forum posting."));
    return 1;
  }
  if (button == mwinLogMainWinClearButton) {
    ClearCB();
    return 1;
  }
  if (button == mwinLogMainWinWindow->GetHideButton()) {
    Exit();
    if (MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr) screens->GoBack();
    return 1;
  }
  return 0;
}

void LogCC::DoCopy(char selected_only) {
  auto *panel = dynamic_cast<MWinPanel *>(mwinLogMainWinLogButton);
  const int count = selected_only ? (panel ? panel->PanelGetNumSelectedItems() : 0) : GetNumLogEntries();
  if (count < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  // The selection comes back in ascending row order; each row is the line of the same index.
  auto line_at = [&](int n) { return GetLogEntry(selected_only ? panel->PanelGetNthSelectedItemNum(n) : n); };
  size_t size = kHeaderSize;
  for (int n = 0; n < count; n++) size += strlen(line_at(n)) + 2;
  char *buffer = static_cast<char *>(EngMalloc(size, "DoCopy", 0));
  if (!buffer) {
    Popup(1, 
        ScreensText("Logs_NoMemory", "Not enough memory to perform copy.\n\nTry selecting fewer lines."));
    return;
  }
  _EngMiscDate date;
  _EngMiscTime time;
  EngMiscGetTodaysDate(&date);
  EngMiscGetCurrentTime(&time);
  const char *format = selected_only ? "Selected log entries for %s version %.2f [%s, %d/%02d/%04d %d:%02d]\n\n"
                                     : "Log entries for %s version %.2f [%s, %d/%02d/%04d %d:%02d]\n\n";
  int used = snprintf(buffer, kHeaderSize, format, MainGetGameName(), double(MainGetGameVersion()),
                      EngWhichDeviceGetDeviceName(0), int(date.day), int(date.month), int(date.year), int(time.hour),
                      int(time.minute));
  size_t at = used < 0 ? 0 : (used >= kHeaderSize ? kHeaderSize - 1 : size_t(used));
  buffer[at] = 0;
  for (int n = 0; n < count; n++) {
    const char *text = line_at(n);
    const size_t length = strlen(text);
    memcpy(buffer + at, text, length);
    at += length;
    buffer[at++] = '\n';
  }
  buffer[at] = 0;
  const char copied = VariousCopyClipboardFromString(buffer);
  EngFree(buffer, 0, "DoCopy");
  if (!copied) {
    Popup(1, ScreensText("Logs_CopyFailed", "A problem occurred copying the log to the clipboard."));
    return;
  }
  Popup(0, ScreensText("Logs_Copied",
                                   "Copy successful.\n\nYou can now use an external app's \"Paste\" command to paste "
                                   "the log entries into an e-mail or forum posting."));
}

void LogCC::ClearCB() {
  if (auto *panel = dynamic_cast<MWinPanel *>(mwinLogMainWinLogButton)) panel->PanelEmpty();
  Exit();
  DebugResetLogFile(1);
  DebugInfo("Cleared logs.");
  StartingCB(nullptr);
}
