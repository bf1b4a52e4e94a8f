// The first players screen 'uUSR': continue with the last player, make a new one, load another
// or leave; the title picture above, the splash in the middle. A last player who asked to be
// always loaded is continued 0.1 s after the start.
// Also the title-picture helpers that every player screen shares.
#pragma once

#include "Engine/EngMathTypes.h"
#include "screens/layouts/UsersCollectionController.h"

class EngPicture;
class UserScreens;

class UsersCC : public UsersCollectionController {
 public:
  explicit UsersCC(UserScreens *user_screens);

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage stage) override;
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
  void ContinueCB();

  const char *GetLastUserCountryCode() const { return m_country_code; }
  // Its row in the country table, looked up once a start rather than at every frame's drawing.
  int GetLastUserCountryRow() const { return m_country_row; }
  double GetAutoContinueTime() const { return m_auto_continue_time; }

 private:
  UserScreens *m_user_screens;
  char m_country_code[4];
  int m_country_row;
  double m_auto_continue_time;
};

// The players' screens' title picture ("QuarrelwickTitle.ttx") and the splash's graphics.
char UsersControlCreateGraphics();
void UsersControlDestroyGraphics();
// Puts the title picture on the button: at (120, 0, 400, 90) on the desktop, x centred on
// 320 in every layout; keep_position keeps the button's y.
void UsersControlSetupTitleButton(MWinButton *button, char keep_position);
void UsersUpdateFlag(MWin *mwin, MWinButton *button);
char UsersControlSplashWaitCB(double seconds, void *context);
void UsersControlContinueExtraRenderCB(MWinButton *button, _Dimension *area, _MWinTextureState state, int value,
                                       void *user);
EngPicture *UsersControlGetTitlePicture();
