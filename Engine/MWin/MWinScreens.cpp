#include "Engine/MWin/MWinScreens.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngDim.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/EngScreens.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinDesktop.h"

static const double FADE_SECONDS = 0.15;

MWinScreens::MWinScreens(MWin *mwin, char fade) : m_screens(nullptr), m_fade(fade), m_mwin(mwin) {
  DebugAssertAlt(mwin ? 1 : 0, ENG_FUNC, "No m_mwinp");
  m_screens = new EngScreens(mwin, this);
  MWinScreens *self = this;
  if (mwin) mwin->SetScreens(&self);
}

// The subclass owns the controllers and may have destroyed them before this runs: the table
// is dropped without calling them (a subclass that wants RemoveVars calls RemoveAllScreens).
MWinScreens::~MWinScreens() {
  if (m_screens) m_screens->Forget();
  delete m_screens;
  m_screens = nullptr;
  if (m_mwin) m_mwin->ForgetScreens(this);
}

void MWinScreens::Exit() {
  if (m_screens) m_screens->RemoveAll();
}

char MWinScreens::SetupAllScreens() {
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  m_screens->RemoveAll();
  m_screens->RegisterPreChangeCallback(MWinScreens_PreChangingCB);
  m_screens->RegisterPostChangeCallback(MWinScreens_PostChangingCB);
  if (!SetupProgramScreens()) {
    DebugErrorAlt(ENG_FUNC, "Could not setup program's screens");
    return 0;
  }
  return 1;
}

char MWinScreens::AddScreen(euint id, MWinCollectionController *controller) {
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return m_screens->Add(id, controller);
}

void MWinScreens::Start(char mode) {
  MWinEntryScope scope(m_mwin);
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  Fade(-1);
  PreScreensStartCB();
  m_screens->TurnOn(mode);
  PostScreensStartCB(GetCurrentScreen());
  Fade(1);
}

void MWinScreens::StartScreen(euint id, char mode) {
  MWinEntryScope scope(m_mwin);
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_screens->SetCurrentScreenID(id);
  Fade(-1);
  PreScreensStartCB();
  m_screens->TurnOn(mode);
  Fade(1);
}

void MWinScreens::StartOrGotoScreen(euint id) {
  if (AreScreensOn())
    GotoScreen(id, nullptr);
  else
    StartScreen(id, -1);
}

void MWinScreens::End(char mode) {
  MWinEntryScope scope(m_mwin);
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  Fade(-1);
  m_screens->TurnOff(mode);
  // A root left on would go on showing the last screen's windows.
  if (m_mwin && m_mwin->IsOn() && m_mwin->GetDesktop()) m_mwin->GetDesktop()->RemoveAllCollections();
  PostScreensFinishCB();
  Fade(1);
}

void MWinScreens::GotoScreen(euint id, void *arg) {
  MWinEntryScope scope(m_mwin);
  if (!m_screens || !m_mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  if (m_mwin->PopupIsOn()) {
    DebugErrorAlt(ENG_FUNC, "Called when a popup was on. Turning popup off...");
    m_mwin->PopupTurnOff();
  }
  Fade(-1);
  m_screens->GotoScreen(id, arg);
  Fade(1);
}

void MWinScreens::GoBack() {
  MWinEntryScope scope(m_mwin);
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  Fade(-1);
  m_screens->GoBack();
  Fade(1);
}

void MWinScreens::ReloadCurrentScreen() {
  MWinEntryScope scope(m_mwin);
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_screens->ReloadCurrentScreen();
}

void MWinScreens::Fade(char direction) {
  if (m_fade) DoFade(direction, FADE_SECONDS);
}

// One whole frame under a black quad of the given opacity. The platform's events are pumped
// (queued, not handled) so the window stays responsive while the fade holds the main loop;
// handling them here would let a click change screen in the middle of a change.
static void DrawFadeFrame(float alpha) {
  if (eng_main_program) eng_main_program->RenderCB();
  EngDimDarkenScreen(alpha);
  if (eng_main_device) eng_main_device->SwapBuffers();
  if (eng_main_window) eng_main_window->PumpEvents();
}

void MWinScreens::DoFade(char direction, double seconds) {
  if (!(eng_main_frame_rate > 1.0f) || !(seconds > 0)) return;
  char out = direction == -1;
  double t0 = EngMainUpdateCurrentTime();
  DrawFadeFrame(out ? 0.0f : 1.0f);
  double frame_time = EngMainUpdateCurrentTime() - t0;
  if (!(frame_time > 0)) return;
  double start = EngMainUpdateCurrentTime();
  double steps = double(float(seconds)) / frame_time;
  if (steps > 1000000.0) return;
  int n = int(steps);
  if (n == 0) return;
  float step = 1.0f / float(n);
  float progress = 0.0f;
  for (int i = 0; i < n; i++) {
    // A fade that falls far behind finishes at once rather than drag on.
    if (EngMainUpdateCurrentTime() - start > 2.0 * seconds)
      progress = 1.0f;
    else
      progress = progress + step < 1.0f ? progress + step : 1.0f;
    DrawFadeFrame(out ? progress : 1.0f - progress);
  }
}

euint MWinScreens::GetCurrentScreen() {
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return m_screens->GetCurrentScreenID();
}

char MWinScreens::SetCurrentScreen(euint id) {
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return m_screens->SetCurrentScreenID(id);
}

void MWinScreens::SetPreviousScreen(euint id) {
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_screens->SetPreviousScreenID(id);
}

euint MWinScreens::GetPreviousScreen() {
  if (!m_screens) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return m_screens->GetPreviousScreenID();
}

void MWinScreens::SetFromScreen(euint id) {
  if (m_screens) m_screens->SetFromScreenID(id);
}

euint MWinScreens::GetFromScreen() { return m_screens ? m_screens->GetFromScreenID() : 0; }

char MWinScreens::AreScreensOn() { return m_screens ? m_screens->AreOn() : 0; }

char MWinScreens::AreOn() { return (m_mwin && m_mwin->IsOn() && AreScreensOn()) ? 1 : 0; }

int MWinScreens::Tick() {
  MWinEntryScope scope(m_mwin);
  return m_screens ? m_screens->Tick() : 0;
}

void MWinScreens::Render(_MWinRenderStage stage) {
  MWinEntryScope scope(m_mwin);
  if (m_screens) m_screens->Render(stage);
}

void MWinScreens::RemoveAllScreens() {
  if (m_screens) m_screens->RemoveAll();
}

void MWinScreens::PreChangingCB() {
  if (GetCurrentScreen() == 0) return;
  PreScreenChangeCB();
  // The screen being left loses every collection before the next controller builds its own.
  if (m_mwin && m_mwin->GetDesktop()) m_mwin->GetDesktop()->RemoveAllCollections();
}

void MWinScreens::PostChangingCB() { PostScreenChangeCB(GetCurrentScreen()); }

void MWinScreens_PreChangingCB(MWin *, void *user) {
  DebugAssertAlt(user ? 1 : 0, ENG_FUNC, "No user data");
  if (user) static_cast<MWinScreens *>(user)->PreChangingCB();
}

void MWinScreens_PostChangingCB(MWin *, void *user) {
  DebugAssertAlt(user ? 1 : 0, ENG_FUNC, "No user data");
  if (user) static_cast<MWinScreens *>(user)->PostChangingCB();
}
