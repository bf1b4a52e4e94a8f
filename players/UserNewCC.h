// The new player screen 'uNEW': a name (the computer user's on the first visit, else asked
// for), a country (the locale's, changed on 'mCTY') and Continue, which creates, saves and
// loads the player and goes on to the main menu. Also the rules for player names.
#pragma once

#include "screens/layouts/UserNewCollectionController.h"

class UserScreens;

enum { USER_NEW_NAME_SIZE = 20 };

class UserNewCC : public UserNewCollectionController {
 public:
  explicit UserNewCC(UserScreens *user_screens);

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  void NameCB();
  void AfterNamePopupCB(char result);
  // reset: the load screen's reset of a broken player file, the only time a player file of
  // the name may be made again.
  void ContinueCB(char reset);
  // For the load screen after it removed a broken player file: the name, then Continue with
  // reset. 0 without a name or with one the name rules refuse (nothing is made then).
  char ResetAndLoadUser(const char *name);

  const char *GetName() const { return m_name; }
  int GetFlagRow() const { return m_flag_row; }

 private:
  void ShowName();

  char m_name[USER_NEW_NAME_SIZE];
  char m_previous_name[USER_NEW_NAME_SIZE];
  char m_started;
  int m_flag_row;
  char m_countdown;
  // The name the reset path has just made afresh: Continue may make it again.
  char m_reset_name[USER_NEW_NAME_SIZE];
};

// 1 when the name is a player's name: 1 to max_length - 1 characters, no blank at either end,
// none of the refused characters or words, at most two full stops, blanks and hyphens each.
// too_long (may be null) tells whether a refusal was for its length.
char UserNewIsNameOk(const char *name, int max_length, char *too_long);
// What a refused name is told: the too-long text or the invalid one.
const char *UserNewNameRefusalText(char too_long);
void UserNewCountyButtonExtraRenderCB(MWinButton *button, _Dimension *area, _MWinTextureState state, int value,
                                      void *user);
void UserNewAfterNamePopupCB(MWin *mwin, char result, void *user);
// Lets the next new player screen offer the computer user's name again, for tests.
void UserNewResetForTests();
