// The game's program object: the EngProgram subclass the engine runs. Every engine callback
// is forwarded to the one Game, which InitCB creates and ExitCB destroys; the module item
// and picture-file callbacks that the engine-side screens ask for live here too.
#pragma once

#include "Engine/EngProgram.h"
#include "Engine/Modules.h"

class Game;

class Program : public EngProgram {
 public:
  Program() = default;
  ~Program() override;

  signed char InitCB(int argc, char **argv) override;
  signed char PreCreateWindowCB(_EngCreateWindowParms *parms) override;
  signed char PreDeviceInitCB() override;
  signed char PostDeviceInitCB() override;
  signed char CreateGraphicsObjectsCB() override;
  void DestroyGraphicsObjectsCB() override;
  signed char TickCB() override;
  void RenderCB() override;
  signed char InputCB(_EngDesktopInputType type, EngInputParm1 parm1, EngInputParm2 parm2) override;
  void OrientationChangedCB(_EngOrientation orientation) override;
  void ComputerSleepingCB(char sleeping) override;
  void WindowActivatedCB(char active) override;
  void WindowWasMinimized(char minimised) override;
  void WindowResizedCB() override;
  void PreDeviceExitCB() override;
  void ExitCB() override;

  Game *GetGame() { return m_game; }
  void AfterCountryScreensDoneCB();
  static void AfterCountryScreensDoneCB_Static(void *program);

 private:
  Game *m_game = nullptr;
};

const char *Program_GetModulesItemFilenameCB(_ModulesItem item);
char Program_SetEngPictureTextureFileOverwriteCB(const char *folder, const char *file, char *out, int size);
