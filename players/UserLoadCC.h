// The load player screen 'uLOD': every "<name>.usr" of the Users folder with its country's
// flag; load a player, delete one after a question, and for a file that does not load reset
// it (made afresh on the new player screen), delete it or leave it. Also the player list that
// every players' screen reads, with the country each file test-loads with, and the test of the
// last player.
#pragma once

#include <string>
#include <vector>

#include "Engine/EngTypes.h"
#include "screens/layouts/UserLoadCollectionController.h"

class UserScreens;

// 28 bytes: the name (cut to 25 characters) and the country code, empty when the file did not
// test-load.
struct UserListEntry {
  char name[25];
  char country[3];
};
static_assert(sizeof(UserListEntry) == 28, "UserListEntry is 28 bytes");

enum { USER_LOAD_ROWS_PER_PAGE = 7 };

class UserLoadCC : public UserLoadCollectionController {
 public:
  explicit UserLoadCC(UserScreens *user_screens);

  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  // Rebuilds the list from the folder, sorted by name without regard to letter case.
  void SetupUserNameList();
  int GetNumUsers() const { return int(m_list.size()); }
  // Null outside the list.
  const char *GetUsersLocalName(int n) const;
  const char *GetUsersDisplayName(int n) const { return GetUsersLocalName(n); }
  // Empty outside the list.
  const char *GetUsersCountryCode(int n) const;
  // The code's row in the country table, looked up once with the list rather than at every
  // frame's drawing; -1 outside the list or without a code.
  int GetUsersCountryRow(int n) const;
  // 1 when the display settings name a last player and that player's file test-loads; its
  // always-load flag and country code come back then. Rebuilds the list first.
  char IsLastUserLoadedOk(char *always_load, char *country_code);
  void Cleanup() { m_list.clear(); }
  UserScreens *GetUserScreens() { return m_user_screens; }

  void LoadCB();
  void DeleteCB();
  // Answers of the questions: 1 Yes (Reset), 2 No (Delete), 0 Cancel.
  void AfterDeletePopupCB(char result);
  void AfterLoadFailedPopupCB(char result);

 private:
  // The panel's row, -1 without a panel.
  int SelectedRow();
  // reset: only the player file goes. The screen then restarts on the folder as it is.
  void DoUserDeleteOrReset(const std::string &name, char reset);

  UserScreens *m_user_screens;
  // The entry, and its name whole up to 25 characters (the entry's field holds 24).
  struct Listed {
    UserListEntry entry;
    std::string name;
    int country_row;
  };
  std::vector<Listed> m_list;
  // The player a question is about, taken when it was asked.
  std::string m_chosen;
};

const char *UserLoadFillPanelCB(int n, MWinButton *button, void *screen);
// Draws the row's country flag at the row's right; shared with the select player screen.
void UserSelectPanelExtraRenderCB(MWinButton *button, _Dimension *row, _MWinTextureState state, int item,
                                  void *user_screens);
void UserLoadAfterDeletePopupCB_Static(MWin *mwin, char result, void *screen);
void UserLoadAfterLoadFailedPopupCB_Static(MWin *mwin, char result, void *screen);
class MWinPanel;
// The widget as a panel; null when it is none.
MWinPanel *UserLoadAsPanel(MWinButton *button);
