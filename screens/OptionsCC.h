// The options screen 'OPTN': four two-way choices bound to the player's option bytes (startup
// window, always start with this player, date format, processor use), a "?" popup explaining
// each, the processor-use choice applied to the main loop at once, and Back (and Escape), which
// hands the startup-window choice to the display settings.
#pragma once

#include "screens/layouts/OptionsCollectionController.h"

class MWin;
struct UserOptions;

class OptionsCC : public OptionsCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
  // The player's processor use for the main loop: with "Low" it sleeps in 10 ms steps rather
  // than waiting on the window until the frame is due, from the next frame on. Nothing without
  // a program or a player.
  void UpdatePower();

  // Puts each of the screen's option bytes that no entry shows (an edited player file) into
  // range: a non-zero byte becomes 1. Returns how many were changed.
  static int PutOptionsInRange(UserOptions *options);

 private:
  UserOptions *Options();
  void GoBack();
};

// The second CPU Usage popup, shown as the first one closes.
void OptionsPower2InfoCB(MWin *mwin, char result, void *user);
