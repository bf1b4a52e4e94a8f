// The display-system screen: windowed or full screen, a full-screen mode, a refresh rate and an
// anti-aliasing level; Change hands them to the window, which applies them at its next tick,
// and Escape leaves without a change. The game's screens table does not register it.
#pragma once

#include "Engine/EngResModes.h"
#include "screens/layouts/SystemCollectionController.h"

struct _EngWindowResChangeSettings;

class SystemCC : public SystemCollectionController {
 public:
  SystemCC();
  ~SystemCC() override;

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  void UpdateButtons();
  void ChangeCB();
  void DoneCB();
  void AACB(_MWinButtonCallbackInfo *info);
  void AAInfoCB();
  void ResChangeDoneCB();

  static const char *GetFullScreenResModeEntryAsStringCB_Static(int entry, MWinButton *button, void *screen);
  const char *FormatFrequency(int entry);

  char IsChanged() const { return m_changed; }
  EngResModes *GetModes() { return m_modes; }
  _EngResMode *GetCurrentMode() { return m_current_mode; }
  EngInt32 GetFrequencyIndex() const { return m_freq; }
  EngInt32 GetAAIndex() const { return m_aa; }

 private:
  char AnyListOpen();

  char m_changed;
  char m_initial_windowed;
  EngInt32 m_initial_mode;
  EngInt32 m_initial_freq, m_freq;
  EngInt32 m_initial_aa, m_aa;
  EngResModes *m_modes;         // owned
  _EngResMode *m_current_mode;  // borrowed from m_modes
  char m_freq_text[16];
  char m_list_was_open;
};

const char *SystemControlGetDisplayModeStringsCB(int entry, MWinButton *button, void *screen);
const char *SystemControlGetFreqListStringsCB(int entry, MWinButton *button, void *screen);
const char *SystemControlGetAAListStringsCB(int entry, MWinButton *button, void *screen);
void SystemControlResChangeDoneCB(void *screen);

// Test seam: the request goes here in place of the main window (null: the window again).
typedef void (*SystemCCResChangeHook)(const _EngWindowResChangeSettings *settings, void *screen);
void SystemCCSetResChangeHookForTests(SystemCCResChangeHook hook);
