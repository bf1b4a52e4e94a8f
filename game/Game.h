// The one game object: owns the main font, the toolkit root, the game's screens table and the
// player, and routes every tick, render, input, window and device event either to the menu
// screens or to the play field. Also saves the player and the resume game around sleep and exit.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTypes.h"

class EngFont;
class MWin;
class Program;
class UserClass;
class VQ_Screens;
struct _EngCreateWindowParms;
struct _UserInfo;

class Game {
 public:
  Game(Program *program, const char *name, EngInt32 kind);
  ~Game();
  Game(const Game &) = delete;
  Game &operator=(const Game &) = delete;

  MWin *GetMWin();
  VQ_Screens *GetScreens();
  UserClass *GetUser();
  EngFont *GetFont();
  Program *GetProgram() { return m_program; }
  // The play field runs without a font or a player (tests, benchmarks): these may be null.
  EngFont *GetFontIfMade() { return m_font; }
  UserClass *GetLoadedUser() { return IsUserLoaded() ? m_user : nullptr; }
  const char *GetName() const { return m_name; }

  // Set-up and graphics.
  char SetupAll();
  char PreCreateWindow(_EngCreateWindowParms *parms);
  char Pre3dInit();
  void SetMWinSettings();
  char CreateGraphics();
  char CreateFont();
  void DestroyFont();
  void DeleteGraphics();
  char Post3dInit();
  void PostResolutionChangeCB();
  void UpdateCursor();

  // Frame and input.
  char Tick();
  void Render();
  char InputCB(_EngDesktopInputType type, EngInputParm1 parm1, EngInputParm2 parm2);
  void MoveMouse(float x, float y);
  char MouseButtonPressed(char button, char state);

  // Play and the player.
  char HandleEscapeKeyPressed();
  void ReturnToMenus();
  void EndGameAndGoToScoresScreen();
  void ReturnToGame();
  void OptionsScreenDone();
  void AfterUserLoaded(char just_created, char skip);
  char AskToResumeUsersGameIfExists();
  void AfterSavedGamePopupCB(char answer);
  void ComputerSleepingCB(char sleeping);
  void GameSuspended(char suspended);
  void SaveAllPreSwitchingOrExitingAppCB();
  void SaveUser(char report);
  void UserIsBeingUnloaded();
  char WindowActivatedCB(char active);
  void WindowWasMinimized(char minimised);
  void OrientationChanged(_EngOrientation orientation, char force);
  void UpdateAfterOrientationChange();
  void Pre3dExit();
  void Post3dExit();

 private:
  char AreScreensOn();
  char IsUserLoaded();

  char m_name[8];
  Program *m_program;
  EngFont *m_font;
  MWin *m_mwin;
  VQ_Screens *m_screens;
  UserClass *m_user;
  // A game was shown: the field's pictures are made with the rest after a device change.
  char m_field_shown = 0;

  void MakeFieldGraphicsIfNeeded();
};

extern Game *main_game;

// The play field reaches the game object through these. The one game object (null while there
// is none) and its main font "Main" (null while none).
Game *GameGetMainGame();
EngFont *GameGetMainFont();
// The way from a finished game to the scores screen.
void GameEndGameAndGoToScoresScreen();
// The loaded player's record (progress, name of the saved games), or null; tests may put a
// record of their own in its place (null gives the game's back).
_UserInfo *GameGetLoadedUserInfo();
void GameSetUserInfoForTests(_UserInfo *info);
// A wave's end turns the player's tutorial-on option off.
void GameClearUserTutorialOn();

// Answers of the Escape popups on the main menu.
void GameAfterEscapePressedFullscreenCB(MWin *mwin, char answer, void *user);
void GameAfterEscapePressedWindowedCB(MWin *mwin, char answer, void *user);

// The player module's record callbacks.
void UserInfoSetDefaultOptionsCB(Game *game, _UserInfo *info);
void UserInfoNewUserJustSavedCB(Game *game, _UserInfo *info, char flag);
void UserInfoUserAboutToBeDeletedCB(Game *game, _UserInfo *info, const char *name, char flag);
