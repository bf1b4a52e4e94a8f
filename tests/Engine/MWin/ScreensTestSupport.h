// Fakes for the screens tests: controllers that write every call into a shared log and build
// a collection named after their screen, a program object that counts its frames, and an
// engine clock that steps on every reading.
#pragma once

#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinDesktop.h"

namespace qwtest {

class FakeController : public MWinCollectionController {
 public:
  FakeController(const char *name, std::vector<std::string> *log) : m_name(name), m_log(log) {}

  char CreateCollection(MWin *mwin) override {
    Log("CreateCollection");
    return mwin->GetDesktop()->AddCollection(m_name.c_str()) ? 1 : 0;
  }
  void RemoveVars() override { Log("RemoveVars"); }
  void StartingCB(void *data) override {
    Log(std::string("StartingCB ") + (data ? static_cast<const char *>(data) : "-"));
  }
  void TickCB() override { Log("TickCB"); }
  void RenderCB(_MWinRenderStage stage) override { Log("RenderCB " + std::to_string(int(stage))); }
  char ButtonsCallback(MWinButton *, _MWinButtonCallbackInfo *) override { return 0; }

 private:
  void Log(const std::string &call) { m_log->push_back(m_name + " " + call); }
  std::string m_name;
  std::vector<std::string> *m_log;
};

// The one program object, made for a test and gone with it. Its frames clear the screen to
// white when a device exists.
class CountingProgram : public EngProgram {
 public:
  static CountingProgram *Make() {
    EngProgramSetResourcesPathForTests(".");
    CountingProgram *program = new CountingProgram();
    EngProgramSetResourcesPathForTests(nullptr);
    return program;
  }
  void RenderCB() override {
    frames++;
    if (eng_main_device) {
      eng_main_device->SetClearColour(1.0f, 1.0f, 1.0f);
      eng_main_device->ClearScreen();
    }
  }
  int frames = 0;
};

// The engine clock while installed: 0 at the first reading, then `step` more at each one;
// the reading numbered `jump_at` (from 0) and those after it are `jump` later still.
class SteppingClock {
 public:
  static void Install(double step, int jump_at = -1, double jump = 0.0) {
    s_now = 0.0;
    s_step = step;
    s_reads = 0;
    s_jump_at = jump_at;
    s_jump = jump;
    EngMainSetClockForTests(Read);
  }
  static void Remove() { EngMainSetClockForTests(nullptr); }

 private:
  static double Read() {
    if (s_reads++ == s_jump_at) s_now += s_jump;
    double t = s_now;
    s_now += s_step;
    return t;
  }
  inline static double s_now = 0.0, s_step = 0.0, s_jump = 0.0;
  inline static int s_reads = 0, s_jump_at = -1;
};

}  // namespace qwtest
