// The table of the program's screens: each four-character id served by one collection
// controller. Knows the current screen, where each screen was entered from, switches screens
// and passes tick and render to the current controller. Policy and fades are MWinScreens'.
#pragma once

#include "Engine/EngIndexedList.h"
#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinTypes.h"

class MWinCollectionController;

struct EngScreen {
  euint id;
  MWinCollectionController *controller;  // borrowed
  euint previous;                         // current when last entered by GotoScreen; GoBack's target
  euint from;                             // current when last entered by GotoScreen or GoBack
};

typedef void (*ENG_SCREENS_CB)(MWin *mwin, void *user);

class EngScreens {
 public:
  EngScreens(MWin *mwin, void *user);
  ~EngScreens();
  EngScreens(const EngScreens &) = delete;
  EngScreens &operator=(const EngScreens &) = delete;

  void Init();
  void Exit();
  char Add(euint id, MWinCollectionController *controller);
  void RemoveScreen(int index);
  void RemoveAll();
  // Drops every entry without calling its controller, which may be gone already.
  void Forget();
  void ResetScreen(EngScreen *screen);
  EngScreen *GetScreenFromID(euint id, int *index);

  void RegisterMainTickCallback(ENG_SCREENS_CB callback) { m_main_tick_cb = callback; }
  void RegisterPreChangeCallback(ENG_SCREENS_CB callback) { m_pre_change_cb = callback; }
  void RegisterPostChangeCallback(ENG_SCREENS_CB callback) { m_post_change_cb = callback; }

  // Mode for starting the root: 0 never, > 0 always, < 0 only when it is off.
  void TurnOn(char mode);
  // Mode for shutting the root down: 0 never, > 0 always (2 also forgets the current
  // screen), < 0 unless TurnOn found it on or left it alone.
  void TurnOff(char mode);
  void StartCurrent(void *arg);
  void StopCurrent();

  char SetCurrentScreenID(euint id);
  char SetPreviousScreenID(euint id);
  char SetFromScreenID(euint id);
  void GotoScreen(euint id, void *arg);
  void GoBack();
  void ReloadCurrentScreen();

  char AreOn() const { return m_on; }
  int Tick();
  void Render(_MWinRenderStage stage);
  euint GetCurrentScreenID() const { return m_current_id; }
  euint GetPreviousScreenID();
  euint GetFromScreenID();
  void ResetCurrent();

 private:
  // The current entry, or null; never logs.
  EngScreen *Current();
  void CallPreChange();
  void CallPostChange();

  MWin *m_mwin;
  void *m_user;
  EngIndexedList m_screens;
  char m_on = 0;
  euint m_current_id = 0;
  int m_current_index = -1;
  ENG_SCREENS_CB m_main_tick_cb = nullptr;
  ENG_SCREENS_CB m_pre_change_cb = nullptr;
  ENG_SCREENS_CB m_post_change_cb = nullptr;
  // -1 undecided, 0 the root was on or left alone by TurnOn, 1 TurnOn started it.
  signed char m_ui_started = -1;
};
