// The first-game notice 'GENL': how a game starts, between picking a garden and play. Ok (and
// Escape) starts the garden picked on the selection screen.
#pragma once

#include "screens/layouts/NoticeCollectionController.h"

class NoticeCC : public NoticeCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
};
