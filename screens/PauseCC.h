// The pause screen 'PAUS', shown when play is left by Escape or the bottom bar's menu button:
// resume the untouched game, open the high scores, help, sound and options screens, quit the game
// (after a question; the resume game goes) or save it and close the program.
#pragma once

#include "screens/layouts/PauseCollectionController.h"

class MWin;

class PauseCC : public PauseCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  void ResumeCB();
  void ScoresCB();
  void HelpCB();
  void SoundsCB();
  void OptionsCB();
  void QuitCB();
  // Closes the program only after the resume game was written; else says so and stays.
  void SaveCB();
  void AfterQuitPopupCB(char result);
  static void AfterQuitPopupCB_Static(MWin *mwin, char result, void *user);

 private:
  void GoTo(euint id);
};
