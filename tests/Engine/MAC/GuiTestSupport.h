// Shared by the native dialog tests: a resources folder made from the checked-in dialog files
// and entered for the test's life, a driver that calls a test's lambda inside the real loops,
// and screenshots when QW_GUI_SCREENSHOT_DIR names a folder.
#pragma once


#include <functional>
#include <string>
#include <vector>

#include "Engine/MAC/EngGui_MAC.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

class GuiResources {
 public:
  GuiResources() {
    for (const char *name : {"Resolution.ui", "License.txt"})
      WriteWholeFile(m_dir.File(name), ReadWholeFile(SourceDir() + "/assets/static/" + name));
    m_cwd.Enter(m_dir.Path());
  }
  std::string File(const std::string &name) const { return m_dir.File(name); }

 private:
  TempDir m_dir;
  WorkingFolder m_cwd;
};

// Each window shown calls the lambda with its name; the names are kept in order.
class GuiDriver {
 public:
  explicit GuiDriver(std::function<void(EngGuiWindowRef, const std::string &)> step) : m_step(std::move(step)) {
    EngGuiSetTestDriver_MAC(Trampoline, this);
  }
  ~GuiDriver() { EngGuiSetTestDriver_MAC(nullptr, nullptr); }
  const std::vector<std::string> &Names() const { return m_names; }

 private:
  static void Trampoline(EngGuiWindowRef window, const char *name, void *user) {
    auto *self = static_cast<GuiDriver *>(user);
    self->m_names.push_back(name);
    Screenshot(window, name);
    self->m_step(window, name);
  }
  static void Screenshot(EngGuiWindowRef window, const std::string &name) {
    const char *dir = getenv("QW_GUI_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    std::string path = std::string(dir) + "/" + (name.empty() ? "SWin" : name) + ".png";
    EngGuiTestSaveScreenshot_MAC(window, path.c_str());
  }
  std::function<void(EngGuiWindowRef, const std::string &)> m_step;
  std::vector<std::string> m_names;
};

}  // namespace qwtest
