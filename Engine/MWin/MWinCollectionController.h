// A screen's controller: builds the screen's collection and answers its widgets' presses.
// Every screen subclasses it; windows pass their widgets' presses to ButtonsCallback.
#pragma once

#include "Engine/MWin/MWinTypes.h"

class MWinCollectionController {
 public:
  MWinCollectionController() = default;
  virtual ~MWinCollectionController() = default;
  MWinCollectionController(const MWinCollectionController &) = delete;
  MWinCollectionController &operator=(const MWinCollectionController &) = delete;

  virtual char CreateCollection(MWin *mwin) = 0;
  virtual void RemoveVars() = 0;
  virtual void StartingCB(void *data) = 0;
  virtual void TickCB() = 0;
  virtual void RenderCB(_MWinRenderStage stage) = 0;
  // Non-zero when the press was handled.
  virtual char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) = 0;

  MWinScreens *m_screens = nullptr;
  MWin *m_mwin = nullptr;
  Game *m_game = nullptr;
};
