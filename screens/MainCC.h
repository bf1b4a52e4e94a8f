// The main menu, screen 'MAIN': greets the player, shows the version and the title picture,
// and leads to the other menu screens, the players' screen, the other games and out.
#pragma once

#include "screens/layouts/MainCollectionController.h"

class MainCC : public MainCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
  void OtherGamesCB();

 private:
  // Leaves the menu for the screen; a screen that is not there leaves the menu as it was.
  void GoToScreen(euint id);
};
