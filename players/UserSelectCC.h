// The select player screen 'uSEL', the first players screen of phone and tablet layouts: a tap
// on a player loads it, New makes one, Delete asks which and then whether; a last player who
// asked to be always loaded is loaded 0.1 s after the start.
#pragma once

#include "screens/layouts/UserSelectCollectionController.h"

class UserScreens;

enum { USER_SELECT_ROWS_PER_PAGE = 8 };

enum _UserSelectAutoLoad : char { USER_SELECT_IDLE = 0, USER_SELECT_WAITING = 1, USER_SELECT_LOADING = 2 };

class UserSelectCC : public UserSelectCollectionController {
 public:
  explicit UserSelectCC(UserScreens *user_screens);

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  void AfterDeletePanelCB(int row);
  void AfterDeletePopupCB(char result);

  UserScreens *GetUserScreens() { return m_user_screens; }
  char GetAutoLoadState() const { return m_auto_load_state; }
  double GetAutoLoadTime() const { return m_auto_load_time; }
  int GetDeleteChoice() const { return m_delete_choice; }

 private:
  void PanelCB();
  void DeleteCB();
  void SetAlwaysLoad(char value);
  // Back to idle with every control usable, after the automatic load failed.
  void AutoLoadFailed();

  UserScreens *m_user_screens;
  char m_auto_load_state;
  double m_auto_load_time;
  int m_delete_choice;
};

const char *UserSelectFillPanelCB(int n, MWinButton *button, void *screen);
void UserSelectAfterDeletePanelCB(MWin *mwin, int row, void *screen);
void UserSelectAfterDeletePopupCB(MWin *mwin, char result, void *screen);
// The language-flag button is off in this game: nothing to choose.
void UsersControlLangCB(MWin *mwin);
