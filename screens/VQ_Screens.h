// The game's screens table: the toolkit's screen manager made for the game, with fading off
// (no screen change fades in the game). It owns the menu screens' controllers, registers them
// under the game's four-character screen ids, clears their widget pointers whenever their
// collections go, lays the menu background under the menus and asks for the right music.
// A screen that is not in the game yet is simply not registered: going to it is reported by
// the table ("Screen [SELE] not found.") and changes nothing.
#pragma once

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinScreens.h"

class AboutCC;
class EngIndexedList;
class Game;
class GameAdsCC;
class HelpCC;
class LogCC;
class MainCC;
class OptionsCC;
class PauseCC;
class NoticeCC;
class SelectCC;
class SoundsCC;
class PopupCC;
class ScoresCC;
class MWin;
class UserScreens;

extern const euint MAIN_SCREEN_ID;
extern const euint OPTIONS_SCREEN_ID;
extern const euint SOUNDS_SCREEN_ID;
extern const euint SELECT_SCREEN_ID;
extern const euint SCORES_SCREEN_ID;
extern const euint NOTICE_SCREEN_ID;
extern const euint POPUP_SCREEN_ID;
extern const euint HELP_SCREEN_ID;
extern const euint PAUSE_SCREEN_ID;
extern const euint ABOUT_SCREEN_ID;
extern const euint LOGS_SCREEN_ID;
extern const euint GAME_ADS_SCREEN_ID;

struct VQ_ScreenEntry {
  euint id;
  MWinCollectionController *controller;
};

class VQ_Screens : public MWinScreens {
 public:
  VQ_Screens(Game *game, MWin *mwin);
  ~VQ_Screens() override;

  char SetupProgramScreens() override;
  void PreScreensStartCB() override;
  void PreScreenChangeCB() override;
  void PostScreenChangeCB(euint current) override;
  void PostScreensFinishCB() override;

  char CreateGraphics();
  void DestroyGraphics();
  Game *GetGame() { return m_game; }
  // Registers every entry, whatever became of the ones before; 1 only when all were taken.
  char AddScreens(const VQ_ScreenEntry *entries, int count);
  MainCC *GetMainCC();
  ScoresCC *GetScoresCC();
  HelpCC *GetHelpCC();
  AboutCC *GetAboutCC();
  OptionsCC *GetOptionsCC();
  SoundsCC *GetSoundsCC();
  LogCC *GetLogCC();
  PopupCC *GetPopupCC();
  GameAdsCC *GetGameAdsCC();
  SelectCC *GetSelectCC();
  NoticeCC *GetNoticeCC() { return m_notice_cc; }
  PauseCC *GetPauseCC();
  UserScreens *GetUserScreens() { return m_user_screens; }

 private:
  // Every controller's widget pointers, cleared whenever the collections may have gone.
  void RemoveAllVars();

  Game *m_game;
  MainCC *m_main_cc;      // owned
  ScoresCC *m_scores_cc;  // owned
  HelpCC *m_help_cc;      // owned
  AboutCC *m_about_cc;    // owned
  OptionsCC *m_options_cc;  // owned
  SoundsCC *m_sounds_cc;    // owned
  LogCC *m_log_cc;        // owned
  PopupCC *m_popup_cc;    // owned; also g_popup_cc while it lives
  EngIndexedList *m_log_entries;  // owned: the log viewer's lines
  GameAdsCC *m_game_ads_cc;       // owned
  UserScreens *m_user_screens;  // owned
  SelectCC *m_select_cc;        // owned
  NoticeCC *m_notice_cc;        // owned
  PauseCC *m_pause_cc;          // owned
};
