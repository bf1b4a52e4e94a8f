// The players' screens: the select player screen 'uSEL' (phones and tablets), the first
// players screen 'uUSR', the load player screen 'uLOD' (which holds the player list they all
// read), the new player 'uNEW' and the country 'mCTY'. Owned by the game's screens table, which
// registers these after its own screens and makes the first players screen the starting one.
#pragma once

#include "Engine/EngTypes.h"

class CountryCC;
class MWinScreens;
class UserLoadCC;
class UserNewCC;
class UserSelectCC;
class UsersCC;

extern const euint USER_SELECT_SCREEN_ID;
extern const euint USERS_SCREEN_ID;
extern const euint USER_LOAD_SCREEN_ID;
extern const euint USER_NEW_SCREEN_ID;
extern const euint COUNTRY_SCREEN_ID;

class UserScreens {
 public:
  explicit UserScreens(MWinScreens *screens);
  ~UserScreens();
  UserScreens(const UserScreens &) = delete;
  UserScreens &operator=(const UserScreens &) = delete;

  // Every registration is tried; 1 only when all succeeded. 'mCTY' only with_country.
  char AddScreens(char with_country);
  euint GetStartingScreenID();
  char SetStartingScreenToUsersScreen();
  void StartUserScreen();
  char CurrentScreenIsUserOrCountyScreen();
  char CreateGraphics() { return 1; }
  void DestroyGraphics() {}
  // Clears every controller's widget pointers.
  void RemoveAllVars();

  UserSelectCC *GetUserSelectCC() { return m_user_select_cc; }
  UsersCC *GetUsersCC() { return m_users_cc; }
  UserLoadCC *GetUserLoadCC() { return m_user_load_cc; }
  UserNewCC *GetUserNewCC() { return m_user_new_cc; }
  CountryCC *GetCountryCC() { return m_country_cc; }
  MWinScreens *GetScreens() { return m_screens; }

 private:
  MWinScreens *m_screens;
  UserSelectCC *m_user_select_cc;
  UsersCC *m_users_cc;
  UserLoadCC *m_user_load_cc;
  UserNewCC *m_user_new_cc;
  CountryCC *m_country_cc;
};
