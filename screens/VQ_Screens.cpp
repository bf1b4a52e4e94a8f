#include "screens/VQ_Screens.h"

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngIndexedList.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinTextEntryMobile.h"
#include "game/Sound.h"
#include "online/GameAds.h"
#include "players/UserScreens.h"
#include "screens/AboutCC.h"
#include "screens/GameAdsCC.h"
#include "screens/HelpCC.h"
#include "screens/LogCC.h"
#include "screens/MainCC.h"
#include "screens/NoticeCC.h"
#include "screens/OptionsCC.h"
#include "screens/PauseCC.h"
#include "screens/PopupCC.h"
#include "screens/ScoresCC.h"
#include "screens/SelectCC.h"
#include "screens/SoundsCC.h"
#include "screens/layouts/KeyInputCollectionController.h"

const euint MAIN_SCREEN_ID = EngFourCC("MAIN");
const euint OPTIONS_SCREEN_ID = EngFourCC("OPTN");
const euint SOUNDS_SCREEN_ID = EngFourCC("PLRS");
const euint SELECT_SCREEN_ID = EngFourCC("SELE");
const euint SCORES_SCREEN_ID = EngFourCC("STAT");
const euint NOTICE_SCREEN_ID = EngFourCC("GENL");
const euint POPUP_SCREEN_ID = EngFourCC("POPU");
const euint HELP_SCREEN_ID = EngFourCC("HELP");
const euint PAUSE_SCREEN_ID = EngFourCC("PAUS");
const euint ABOUT_SCREEN_ID = EngFourCC("ABOT");
const euint LOGS_SCREEN_ID = EngFourCC("LOGS");
const euint GAME_ADS_SCREEN_ID = EngFourCC("GADS");

static const char *const kMenuBackground = "MenuBg.jpg";

VQ_Screens::VQ_Screens(Game *game, MWin *mwin)
    : MWinScreens(mwin, 0),
      m_game(game),
      m_main_cc(nullptr),
      m_scores_cc(nullptr),
      m_help_cc(nullptr),
      m_about_cc(nullptr),
      m_options_cc(nullptr),
      m_sounds_cc(nullptr),
      m_log_cc(nullptr),
      m_popup_cc(nullptr),
      m_log_entries(nullptr),
      m_game_ads_cc(nullptr),
      m_user_screens(nullptr),
      m_select_cc(nullptr),
      m_notice_cc(nullptr),
      m_pause_cc(nullptr) {
  DebugAssertAlt(game ? 1 : 0, ENG_FUNC, "No game_p");
  // In the order the screens are registered; each later screen comes with its own module.
  m_main_cc = new MainCC();
  m_main_cc->SetScreensVar(this);
  m_scores_cc = new ScoresCC();
  m_scores_cc->SetScreensVar(this);
  m_help_cc = new HelpCC();
  m_help_cc->SetScreensVar(this);
  m_about_cc = new AboutCC();
  m_about_cc->SetScreensVar(this);
  m_options_cc = new OptionsCC();
  m_options_cc->SetScreensVar(this);
  m_sounds_cc = new SoundsCC();
  m_sounds_cc->SetScreensVar(this);
  m_log_entries = new EngIndexedList(0);
  m_log_cc = new LogCC(m_log_entries);
  m_log_cc->RemoveVars();
  m_log_cc->SetScreensVar(this);
  m_game_ads_cc = new GameAdsCC(this);
  m_user_screens = new UserScreens(this);
  m_select_cc = new SelectCC();
  m_select_cc->SetScreensVar(this);
  m_notice_cc = new NoticeCC();
  m_notice_cc->SetScreensVar(this);
  m_pause_cc = new PauseCC();
  m_pause_cc->SetScreensVar(this);
  // Built and removed by the game while playing, never by a screen change.
  m_popup_cc = new PopupCC();
  m_popup_cc->SetScreensVar(this);
  g_popup_cc = m_popup_cc;
  MWinSetKeyInputLayoutFactory(KeyInputCollectionController::New);
}

VQ_Screens::~VQ_Screens() {
  // The table clears the registered controllers' pointers as it empties: before they go.
  RemoveAllScreens();
  MWinSetKeyInputLayoutFactory(nullptr);
  delete m_main_cc;
  m_main_cc = nullptr;
  delete m_user_screens;
  m_user_screens = nullptr;
  delete m_scores_cc;
  m_scores_cc = nullptr;
  delete m_help_cc;
  m_help_cc = nullptr;
  delete m_about_cc;
  m_about_cc = nullptr;
  delete m_options_cc;
  m_options_cc = nullptr;
  delete m_sounds_cc;
  m_sounds_cc = nullptr;
  m_log_cc->Exit();
  delete m_log_entries;
  m_log_entries = nullptr;
  delete m_log_cc;
  m_log_cc = nullptr;
  if (g_popup_cc == m_popup_cc) g_popup_cc = nullptr;
  delete m_popup_cc;
  m_popup_cc = nullptr;
  delete m_game_ads_cc;
  m_game_ads_cc = nullptr;
  delete m_select_cc;
  m_select_cc = nullptr;
  delete m_notice_cc;
  m_notice_cc = nullptr;
  delete m_pause_cc;
  m_pause_cc = nullptr;
  // The other games' row lives in the player's record, which goes with the game.
  GameAdsSetGameAdInt16Variable(nullptr);
}

ScoresCC *VQ_Screens::GetScoresCC() {
  DebugAssertAlt(m_scores_cc ? 1 : 0, ENG_FUNC, "No scores CC");
  return m_scores_cc;
}

MainCC *VQ_Screens::GetMainCC() {
  DebugAssertAlt(m_main_cc ? 1 : 0, ENG_FUNC, "No main CC");
  return m_main_cc;
}

HelpCC *VQ_Screens::GetHelpCC() {
  DebugAssertAlt(m_help_cc ? 1 : 0, ENG_FUNC, "No help CC");
  return m_help_cc;
}

AboutCC *VQ_Screens::GetAboutCC() {
  DebugAssertAlt(m_about_cc ? 1 : 0, ENG_FUNC, "No about CC");
  return m_about_cc;
}

OptionsCC *VQ_Screens::GetOptionsCC() {
  DebugAssertAlt(m_options_cc ? 1 : 0, ENG_FUNC, "No options CC");
  return m_options_cc;
}

SoundsCC *VQ_Screens::GetSoundsCC() {
  DebugAssertAlt(m_sounds_cc ? 1 : 0, ENG_FUNC, "No sounds CC");
  return m_sounds_cc;
}

LogCC *VQ_Screens::GetLogCC() {
  DebugAssertAlt(m_log_cc ? 1 : 0, ENG_FUNC, "No log CC");
  return m_log_cc;
}

SelectCC *VQ_Screens::GetSelectCC() {
  DebugAssertAlt(m_select_cc ? 1 : 0, ENG_FUNC, "No select CC");
  return m_select_cc;
}

PauseCC *VQ_Screens::GetPauseCC() {
  DebugAssertAlt(m_pause_cc ? 1 : 0, ENG_FUNC, "No pause CC");
  return m_pause_cc;
}

PopupCC *VQ_Screens::GetPopupCC() {
  DebugAssertAlt(m_popup_cc ? 1 : 0, ENG_FUNC, "No popup CC");
  return m_popup_cc;
}

GameAdsCC *VQ_Screens::GetGameAdsCC() {
  DebugAssertAlt(m_game_ads_cc ? 1 : 0, ENG_FUNC, "No game ads CC");
  return m_game_ads_cc;
}

char VQ_Screens::AddScreens(const VQ_ScreenEntry *entries, int count) {
  char ok = 1;
  for (int i = 0; i < count; i++)
    if (!AddScreen(entries[i].id, entries[i].controller)) ok = 0;
  return ok;
}

char VQ_Screens::SetupProgramScreens() {
  // 'POPU' is registered, but the game builds the popup itself: no screen change goes there.
  // 'GADS' is the last.
  const VQ_ScreenEntry entries[] = {
      {MAIN_SCREEN_ID, m_main_cc},
      {OPTIONS_SCREEN_ID, m_options_cc},
      {SOUNDS_SCREEN_ID, m_sounds_cc},
      {SELECT_SCREEN_ID, m_select_cc},
      {SCORES_SCREEN_ID, m_scores_cc},
      {NOTICE_SCREEN_ID, m_notice_cc},
      {POPUP_SCREEN_ID, m_popup_cc},
      {HELP_SCREEN_ID, m_help_cc},
      {PAUSE_SCREEN_ID, m_pause_cc},
      {ABOUT_SCREEN_ID, m_about_cc},
      {LOGS_SCREEN_ID, m_log_cc},
      {GAME_ADS_SCREEN_ID, m_game_ads_cc},
  };
  char ok = AddScreens(entries, int(sizeof(entries) / sizeof(entries[0])));
  if (!m_user_screens->AddScreens(1)) ok = 0;
  m_user_screens->SetStartingScreenToUsersScreen();
  return ok;
}

void VQ_Screens::RemoveAllVars() {
  if (m_main_cc) m_main_cc->RemoveVars();
  if (m_scores_cc) m_scores_cc->RemoveVars();
  if (m_help_cc) m_help_cc->RemoveVars();
  if (m_about_cc) m_about_cc->RemoveVars();
  if (m_options_cc) m_options_cc->RemoveVars();
  if (m_sounds_cc) m_sounds_cc->RemoveVars();
  if (m_log_cc) m_log_cc->RemoveVars();
  if (m_game_ads_cc) m_game_ads_cc->RemoveVars();
  if (m_user_screens) m_user_screens->RemoveAllVars();
  if (m_select_cc) m_select_cc->RemoveVars();
  if (m_notice_cc) m_notice_cc->RemoveVars();
  if (m_pause_cc) m_pause_cc->RemoveVars();
}

void VQ_Screens::PreScreensStartCB() {
  RemoveAllVars();
  MWin *mwin = GetMWin();
  if (mwin && mwin->PopupIsOn()) mwin->PopupTurnOff();
  if (eng_main_window) eng_main_window->TurnOnCursor();
  // The menus lie on the menu background; play draws its own field.
  if (mwin) {
    static char reported = 0;
    if (EngFileExists(kMenuBackground, 0))
      mwin->SetClearMethod(MWIN_CLEAR_BACKGROUND_TEXTURE, kMenuBackground);
    else if (!reported) {
      reported = 1;
      DebugErrorAlt(ENG_FUNC, "No menu background <%s>", kMenuBackground);
    }
  }
  SoundStartOrStopMusic();
}

void VQ_Screens::PreScreenChangeCB() {
  RemoveAllVars();
  MWin *mwin = GetMWin();
  if (mwin && mwin->GetDesktop()) mwin->GetDesktop()->RemoveAllCollections();
}

void VQ_Screens::PostScreenChangeCB(euint) {
  if (MWin *mwin = GetMWin()) mwin->ButtonsChanged();
  SoundStartOrStopMusic();
}

void VQ_Screens::PostScreensFinishCB() {
  RemoveAllVars();
  if (MWin *mwin = GetMWin()) mwin->SetClearMethod(MWIN_CLEAR_NONE, nullptr);
  SoundStartOrStopMusic();
}

char VQ_Screens::CreateGraphics() {
  if (m_game_ads_cc && GetCurrentScreen() == GAME_ADS_SCREEN_ID) m_game_ads_cc->CreateGraphics();
  // The gardens' pictures went with the old device.
  if (m_select_cc && GetCurrentScreen() == SELECT_SCREEN_ID) m_select_cc->CreateGraphics();
  return 1;
}

void VQ_Screens::DestroyGraphics() {
  if (m_game_ads_cc) m_game_ads_cc->DestroyGraphics();
}
