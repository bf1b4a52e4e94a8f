// The program's screen manager: owns the screens table, registers itself with the toolkit
// root and wraps starts, ends and changes of screen in optional fades to black and back.
// A program derives from it, adds its screens in SetupProgramScreens and hooks the changes.
#pragma once

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinTypes.h"

class EngScreens;
class MWinCollectionController;

class MWinScreens {
 public:
  MWinScreens(MWin *mwin, char fade);
  // Subclasses own the controllers and are deleted through this class.
  virtual ~MWinScreens();
  MWinScreens(const MWinScreens &) = delete;
  MWinScreens &operator=(const MWinScreens &) = delete;

  virtual char SetupProgramScreens() { return 1; }
  virtual void PreScreensStartCB() {}
  virtual void PostScreensStartCB(euint current) { (void)current; }
  virtual void PreScreenChangeCB() {}
  virtual void PostScreenChangeCB(euint current) { (void)current; }
  virtual void PostScreensFinishCB() {}

  void Exit();
  char SetupAllScreens();
  char AddScreen(euint id, MWinCollectionController *controller);

  // Start and end modes are those of EngScreens::TurnOn and TurnOff.
  void Start(char mode);
  void StartScreen(euint id, char mode);
  void StartOrGotoScreen(euint id);
  void End(char mode);
  void GotoScreen(euint id, void *arg);
  void GoBack();
  void ReloadCurrentScreen();

  // direction -1 fades to black, any other from black.
  void Fade(char direction);
  void DoFade(char direction, double seconds);

  euint GetCurrentScreen();
  char SetCurrentScreen(euint id);
  void SetPreviousScreen(euint id);
  euint GetPreviousScreen();
  void SetFromScreen(euint id);
  euint GetFromScreen();
  char AreScreensOn();
  // 1 only while the toolkit root and the table are both on.
  char AreOn();
  int Tick();
  void Render(_MWinRenderStage stage);
  void RemoveAllScreens();

  // Run by the table around every screen start.
  void PreChangingCB();
  void PostChangingCB();

  MWin *GetMWin() { return m_mwin; }
  // The root is going before the screens.
  void ForgetMWin() { m_mwin = nullptr; }

 private:
  EngScreens *m_screens;  // owned
  char m_fade;
  MWin *m_mwin;
};

void MWinScreens_PreChangingCB(MWin *mwin, void *user);
void MWinScreens_PostChangingCB(MWin *mwin, void *user);
