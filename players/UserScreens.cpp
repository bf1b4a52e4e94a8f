#include "players/UserScreens.h"

#include "Engine/EngDebug.h"
#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinScreens.h"
#include "players/CountryCC.h"
#include "players/UserLoadCC.h"
#include "players/UserNewCC.h"
#include "players/UserSelectCC.h"
#include "players/UsersCC.h"

const euint USER_SELECT_SCREEN_ID = EngFourCC("uSEL");
const euint USERS_SCREEN_ID = EngFourCC("uUSR");
const euint USER_LOAD_SCREEN_ID = EngFourCC("uLOD");
const euint USER_NEW_SCREEN_ID = EngFourCC("uNEW");
const euint COUNTRY_SCREEN_ID = EngFourCC("mCTY");

UserScreens::UserScreens(MWinScreens *screens)
    : m_screens(screens),
      m_user_select_cc(nullptr),
      m_users_cc(nullptr), m_user_load_cc(nullptr), m_user_new_cc(nullptr), m_country_cc(nullptr) {
  DebugAssertAlt(screens ? 1 : 0, ENG_FUNC, "No screens");
  m_user_select_cc = new UserSelectCC(this);
  m_users_cc = new UsersCC(this);
  m_user_load_cc = new UserLoadCC(this);
  m_user_new_cc = new UserNewCC(this);
  m_country_cc = new CountryCC();
  m_user_select_cc->SetScreensVar(screens);
  m_user_load_cc->SetScreensVar(screens);
  m_users_cc->SetScreensVar(screens);
  m_user_new_cc->SetScreensVar(screens);
  m_country_cc->SetScreensVar(screens);
}

UserScreens::~UserScreens() {
  delete m_user_select_cc;
  delete m_users_cc;
  m_user_load_cc->Cleanup();
  delete m_user_load_cc;
  delete m_user_new_cc;
  delete m_country_cc;
}

char UserScreens::AddScreens(char with_country) {
  char ok = 1;
  if (!m_screens->AddScreen(USER_SELECT_SCREEN_ID, m_user_select_cc)) ok = 0;
  if (!m_screens->AddScreen(USERS_SCREEN_ID, m_users_cc)) ok = 0;
  if (!m_screens->AddScreen(USER_LOAD_SCREEN_ID, m_user_load_cc)) ok = 0;
  if (!m_screens->AddScreen(USER_NEW_SCREEN_ID, m_user_new_cc)) ok = 0;
  if (with_country && !m_screens->AddScreen(COUNTRY_SCREEN_ID, m_country_cc)) ok = 0;
  return ok;
}

euint UserScreens::GetStartingScreenID() {
  return EngLayoutsIsMobile(ENG_LAYOUT_CURRENT) ? USER_SELECT_SCREEN_ID : USERS_SCREEN_ID;
}

char UserScreens::SetStartingScreenToUsersScreen() { return m_screens->SetCurrentScreen(GetStartingScreenID()); }

void UserScreens::StartUserScreen() { m_screens->StartScreen(GetStartingScreenID(), -1); }

char UserScreens::CurrentScreenIsUserOrCountyScreen() {
  if (!m_screens->AreOn()) return 0;
  euint current = m_screens->GetCurrentScreen();
  for (euint id : {USER_SELECT_SCREEN_ID, USERS_SCREEN_ID, USER_LOAD_SCREEN_ID, USER_NEW_SCREEN_ID, COUNTRY_SCREEN_ID})
    if (current == id) return 1;
  return 0;
}

void UserScreens::RemoveAllVars() {
  m_user_select_cc->RemoveVars();
  m_user_load_cc->RemoveVars();
  m_users_cc->RemoveVars();
  m_user_new_cc->RemoveVars();
  m_country_cc->RemoveVars();
}
