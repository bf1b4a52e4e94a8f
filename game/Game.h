// STAND-IN for the game object, until the game's own header replaces this file: only the
// members and callbacks that the player profile calls, with the same signatures.
#pragma once

class MWin;
class UserClass;
struct _UserInfo;

class Game {
 public:
  MWin *GetMWin();
  UserClass *GetUser();
  void AfterUserLoaded(char just_created, char skip);
};

// The player module's record callbacks.
void UserInfoSetDefaultOptionsCB(Game *game, _UserInfo *info);
void UserInfoNewUserJustSavedCB(Game *game, _UserInfo *info, char flag);
void UserInfoUserAboutToBeDeletedCB(Game *game, _UserInfo *info, const char *name, char flag);
