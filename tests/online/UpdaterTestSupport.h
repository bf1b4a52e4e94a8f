// Shared by the update service's tests: a temporary home whose user-dirs file puts the Desktop
// inside it (not made yet), the data folder there, the update server's address, popups
// captured, and a scripted stand-in for the native window that keeps every text it was shown.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/MWin/SWin.h"
#include "online/Updater.h"
#include "tests/online/OnlineTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace qwtest {

struct Popup {
  _EngMiscPopupType type;
  std::string title, text;
};
inline std::vector<Popup> &Popups() {
  static std::vector<Popup> popups;
  return popups;
}
inline void RecordPopup(_EngMiscPopupType type, const char *title, const char *text) {
  Popups().push_back({type, title ? title : "", text ? text : ""});
}

// The native window's stand-in. Each window's controls count from 0, as SWin's do.
class FakeSWinPlatform : public SWinPlatform {
 public:
  struct Control {
    _SWinButtonType kind;
    int x, y, width, height;
    EngUInt32 command;
    std::string text;
  };
  struct Window {
    int width, height;
    std::vector<std::unique_ptr<Control>> controls;
  };
  SWin *owner = nullptr;
  std::vector<std::unique_ptr<Window>> windows;  // every window made, in order
  Window *current = nullptr;
  std::vector<std::string> shown;  // every non-empty text a static text control was given
  // The offer's loop, and each poll of a window's events (true when it handled one).
  std::function<void(FakeSWinPlatform &)> on_run;
  std::function<bool(FakeSWinPlatform &)> on_poll;

  void Press(int index) { SWin::MacEventsHandler(nullptr, SWIN_COMMAND_BASE + EngUInt32(index), owner); }
  Control *ControlAt(int index) {
    return current && index >= 0 && size_t(index) < current->controls.size() ? current->controls[size_t(index)].get()
                                                                                : nullptr;
  }
  bool Showed(const std::string &text) const {
    for (const std::string &s : shown)
      if (s == text) return true;
    return false;
  }

  char CreateWindow(SWin *swin, int, int, int width, int height, void **window) override {
    owner = swin;
    windows.push_back(std::unique_ptr<Window>(new Window{width, height, {}}));
    current = windows.back().get();
    *window = current;
    return 1;
  }
  void DestroyWindow(void *) override { current = nullptr; }
  void SetTitle(void *, const char *) override {}
  void ShowWindow(void *) override {}
  void SetDefaultButton(void *, void *) override {}
  void *CreateControl(void *window, _SWinButtonType kind, int x, int y, int width, int height) override {
    auto *w = static_cast<Window *>(window);
    w->controls.push_back(std::unique_ptr<Control>(new Control{kind, x, y, width, height, 0, ""}));
    return w->controls.back().get();
  }
  void SetCommandID(void *control, EngUInt32 command) override { Of(control)->command = command; }
  void SetText(void *control, _SWinButtonType kind, const char *text) override {
    Of(control)->text = text;
    if (kind == SWIN_STATIC_TEXT && text[0]) shown.push_back(text);
  }
  int GetText(void *control, char *buffer, int size) override {
    EngSafeCopy(buffer, Of(control)->text, size);
    return 1;
  }
  int SetAlignment(void *, _SWinTextAlign) override { return 0; }
  void Enable(void *, char) override {}
  void Show(void *, char) override {}
  void Place(void *, int, int, int, int) override {}
  char HasMenu(void *) override { return 0; }
  void ResetMenu(void *) override {}
  void AddMenuItem(void *, const char *) override {}
  void SelectMenuItem(void *, int) override {}
  int GetMenuSelection(void *) override { return 0; }
  void SyncMenu(void *) override {}
  char SetPicture(void *, const char *) override { return 1; }
  // Nobody pressing anything closes the window, as a person would.
  void RunLoop(void *) override {
    if (on_run)
      on_run(*this);
    else
      owner->OnCloseBox();
  }
  void QuitLoop(void *) override {}
  char ProcessOneEvent(void *) override { return on_poll && on_poll(*this) ? 1 : 0; }

 private:
  static void EngSafeCopy(char *buffer, const std::string &text, int size) {
    size_t n = std::min(text.size(), size_t(size - 1));
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
  }
  static Control *Of(void *control) { return static_cast<Control *>(control); }
};

// Every regular file under a folder, as paths relative to it.
inline void ListFiles(const std::string &folder, const std::string &prefix, std::vector<std::string> *out) {
  DIR *dir = opendir(folder.c_str());
  if (!dir) return;
  while (dirent *entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string path = folder + "/" + name;
    if (entry->d_type == DT_DIR)
      ListFiles(path, prefix + name + "/", out);
    else
      out->push_back(prefix + name);
  }
  closedir(dir);
}

// A home of the test's own: the Desktop is "Schreibtisch" by the user-dirs file, so a Desktop
// found at all was found through it.
class UpdaterFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLogInto(m_log_folder);
    UpdaterResetForTests();
    PrefFolderResetForTests();
    mkdir(m_home.File(".config").c_str(), 0700);
    WriteWholeFile(m_home.File(".config/user-dirs.dirs"),
                   "# written by the test\nXDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n"
                   "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    ASSERT_NE(PrefFolderSetup("Quarrelwick", 0, nullptr, 1), nullptr);
    Popups().clear();
    EngMiscSetPopupHandlerForTests(RecordPopup);
    ASSERT_NE(m_server.Port(), 0);
  }
  void TearDown() override {
    EngMiscSetPopupHandlerForTests(nullptr);
    UpdaterResetForTests();
    PrefFolderResetForTests();
    DebugResetForTests();
  }
  std::string Desktop() const { return m_home.File("Schreibtisch"); }
  std::string PartFile() const { return m_home.File(".local/share/Tallowmere/Quarrelwick/Download.part"); }
  std::vector<std::string> DesktopFiles() const {
    std::vector<std::string> files;
    ListFiles(Desktop(), "", &files);
    return files;
  }
  std::vector<std::string> HomeFiles() const {
    std::vector<std::string> files;
    ListFiles(m_home.Path(), "", &files);
    return files;
  }
  std::string CheckTarget() const {
    return "/cgi-bin/common/updater/CheckVersionV2.cgi?platform=Linux&program=Quarrelwick&version=2.010";
  }

  TempDir m_log_folder;
  TempDir m_home;
  ScopedEnvVar m_env_home{"HOME", m_home.Path().c_str()};
  ScopedEnvVar m_env_data{"XDG_DATA_HOME", nullptr};
  ScopedEnvVar m_env_config{"XDG_CONFIG_HOME", nullptr};
  HttpTestServer m_server{kServerLifetimeSeconds};
  ScopedEnvVar m_env_url{"QUARRELWICK_UPDATE_URL", m_server.Url("").c_str()};
};

}  // namespace qwtest
