#include "game/Game.h"

#include <algorithm>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngImageDecode.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPicture.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/Resolution.h"
#include "game/Bugs.h"
#include "game/GameOver.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Platform.h"
#include "game/Program.h"
#include "game/Quarrelwick.h"
#include "game/QuarrelwickMWin.h"
#include "game/SavedGame.h"
#include "game/Sound.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "online/Scores.h"
#include "players/Country.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "players/UserScreens.h"
#include "players/UsersCC.h"
#include "screens/MainControl.h"
#include "screens/OptionsCC.h"
#include "screens/SelectCC.h"
#include "screens/VQ_Screens.h"

Game *main_game = nullptr;

static const int kEscapeKey = 27;

// Every kind of game plays alike here, so the kind is not kept.
Game::Game(Program *program, const char *name, EngInt32 /*kind*/)
    : m_program(program), m_font(nullptr), m_mwin(nullptr), m_screens(nullptr), m_user(nullptr) {
  DebugAssertAlt(program ? 1 : 0, ENG_FUNC, "no program");
  EngSafeStrcpy(m_name, name ? name : "Game", sizeof(m_name));
  m_font = new EngFont();
  m_mwin = new MWin(this);
  m_screens = new VQ_Screens(this, m_mwin);
  m_user = new UserClass(this, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
}

Game::~Game() {
  delete m_user;
  m_user = nullptr;
  delete m_screens;
  m_screens = nullptr;
  delete m_mwin;
  m_mwin = nullptr;
  delete m_font;
  m_font = nullptr;
}

MWin *Game::GetMWin() {
  DebugAssertAlt(m_mwin ? 1 : 0, ENG_FUNC, "No mwin");
  return m_mwin;
}

VQ_Screens *Game::GetScreens() {
  DebugAssertAlt(m_screens ? 1 : 0, ENG_FUNC, "No screens");
  return m_screens;
}

UserClass *Game::GetUser() {
  DebugAssertAlt(m_user ? 1 : 0, ENG_FUNC, "No user");
  return m_user;
}

EngFont *Game::GetFont() {
  DebugAssertAlt(m_font ? 1 : 0, ENG_FUNC, "No font");
  return m_font;
}

char Game::AreScreensOn() { return (m_mwin && m_mwin->AreScreensOn()) ? 1 : 0; }

char Game::IsUserLoaded() { return (m_user && m_user->IsLoaded()) ? 1 : 0; }

Game *GameGetMainGame() { return main_game; }

EngFont *GameGetMainFont() { return main_game ? main_game->GetFontIfMade() : nullptr; }

static _UserInfo *s_user_info_for_tests = nullptr;

_UserInfo *GameGetLoadedUserInfo() {
  if (s_user_info_for_tests) return s_user_info_for_tests;
  UserClass *user = main_game ? main_game->GetLoadedUser() : nullptr;
  return user ? user->GetInfo() : nullptr;
}

void GameSetUserInfoForTests(_UserInfo *info) { s_user_info_for_tests = info; }

void GameEndGameAndGoToScoresScreen() {
  if (main_game) main_game->EndGameAndGoToScoresScreen();
}

// A wave's end turns the tutorial off for good: the player has seen how play starts.
void GameClearUserTutorialOn() {
  UserClass *user = main_game ? main_game->GetLoadedUser() : nullptr;
  if (user) user->GetInfo()->options.tutorial_on = 0;
}

// ---- Set-up and graphics ----

char Game::SetupAll() { return 1; }

char Game::PreCreateWindow(_EngCreateWindowParms *) { return 1; }

// The pictures of the first screen (the players' screen: splash, flags, title), decoded on a
// worker while the display is taken and the context made.
static const char *const kFirstScreenPictures[] = {"SplashRays.png", "SplashArt.png", "SplashBug.png",
                                                   "CountryFlags512.png", "QuarrelwickText.png"};

char Game::Pre3dInit() {
  SoundPre3dInit();
  ScoresPre3dInit();
  QuarrelwickMWinSetupTexturesAndTexButs(m_mwin);
  EngImageDecodeAhead(kFirstScreenPictures, int(sizeof(kFirstScreenPictures) / sizeof(kFirstScreenPictures[0])), 4,
                      ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  if (m_mwin->GetFonts()) m_mwin->GetFonts()->AddUserFontPointer("Main", m_font);
  SetMWinSettings();
  return QuarrelwickPre3dInit();
}

void Game::SetMWinSettings() {
  QuarrelwickMWinSetMWinSettings(m_mwin);
  _MWinSettings settings;
  m_mwin->GetSettings(&settings);
  settings.activate_collection_under_mouse = 0;
  settings.activate_window_under_mouse = 0;
  m_mwin->SetSettings(&settings);
  m_mwin->SetControlledFromMainSettings(0, 0, 0, 1);
  m_mwin->PopupSetupTexturesAndFonts("Back1", "Back1", "Main", "Main", "Main", 1.0f, 1.0f, 1.0f, 0.7f, 1.2f, 1.2f, 1.0f,
                                     1.0f, 1.0f, 0.7f, 1.4f, 1.4f, 1);
}

char Game::CreateGraphics() {
  if (!m_mwin->CreateGraphicsObjects()) return 0;
  if (!CreateFont()) {
    DebugErrorAlt(ENG_FUNC, "Could not create font");
    return 0;
  }
  if (m_screens->GetUserScreens()->CurrentScreenIsUserOrCountyScreen()) UsersControlCreateGraphics();
  m_screens->CreateGraphics();
  if (AreScreensOn()) MainControlCreateGraphics();
  // The play field's pictures wait for the first game: the menus come up without them.
  if (m_field_shown && !QuarrelwickCreateGraphics()) {
    DebugErrorAlt(ENG_FUNC, "Could not load graphics");
    return 0;
  }
  if (!AreScreensOn() && !m_mwin->IsOn()) m_mwin->Startup();
  // The decoded files are uploaded and freed: their pages go back to the system.
  EngMemoryGiveBackFreePages();
  return 1;
}

char Game::CreateFont() {
  if (m_font->IsCreated()) return 1;
  EngFontShowCharWarnings(0);
  return QuarrelwickMWinCreateFontApart(0, "VeraBd.ttf", m_font);
}

void Game::DestroyFont() {
  if (m_font) m_font->Destroy();
}

void Game::DeleteGraphics() {
  SelectControlDestroyGraphics();
  MainControlDestroyGraphics();
  DestroyFont();
  UsersControlDestroyGraphics();
  CountryDestroyGraphics();
  PlatformDestroyGraphics();
  m_screens->DestroyGraphics();
  m_mwin->DestroyGraphicsObjects();
  QuarrelwickDestroyGraphics();
}

char Game::Post3dInit() {
  if (!SoundInit()) DebugErrorAlt(ENG_FUNC, "Problem loading sounds");
  if (!QuarrelwickInitForNewGame(0)) return 0;
  PostResolutionChangeCB();
  m_screens->SetupAllScreens();
  m_screens->GetUserScreens()->StartUserScreen();
  EngImageDecodeForgetAhead();
  return 1;
}

void Game::PostResolutionChangeCB() {
  if (eng_main_device) {
    eng_main_device->TurnOffDepthBufferIfNeeded();
    eng_main_device->UseDepthBuffer(0);
    if (!eng_main_device->Is2dPrepared()) eng_main_device->PrepareFor2D(1);
  }
  if (eng_main_window) {
    if (AreScreensOn()) {
      eng_main_window->TurnOnCursor();
      m_screens->ReloadCurrentScreen();
    } else {
      eng_main_window->TurnOffCursor();
    }
  }
  UpdateCursor();
  TutorialAdvanceIfNeeded();
}

void Game::UpdateCursor() {
  if (!eng_main_window) return;
  int x = 0, y = 0;
  eng_main_window->GetCursorPos(&x, &y);
  QuarrelwickMoveMouse(float(x), float(y));
}

// ---- Frame and input ----

char Game::Tick() {
  game_per_second = eng_main_frames_per_second;
  SoundTick();
  if (AreScreensOn()) {
    m_screens->Tick();
  } else {
    MakeFieldGraphicsIfNeeded();
    QuarrelwickTick();
  }
  return 1;
}

// Made at the first tick of play, once the game (its garden) is set up: the menus never wait
// for them, and the garden's picture is read once.
void Game::MakeFieldGraphicsIfNeeded() {
  m_field_shown = 1;
  if (!eng_main_device || QuarrelwickGraphicsCreated()) return;
  if (!QuarrelwickCreateGraphics()) DebugErrorAlt(ENG_FUNC, "Could not load graphics");
  EngMemoryGiveBackFreePages();
}

void Game::Render() {
  if (!eng_main_device || !eng_main_device->BeginRendering()) return;
  // Under a popup what is drawn over the windows (a screen's stage 1: credits, splash, flags; in
  // play the garden) dims with them: the darkening comes with the popups, after it.
  const char popup = m_mwin->PopupIsOn();
  // A garden that covers the window leaves nothing of the last frame to clear.
  if (AreScreensOn() || m_mwin->IsOn() || !QuarrelwickFieldCoversWindow()) eng_main_device->ClearScreenBuffer();
  if (AreScreensOn()) {
    m_screens->Render(MWIN_RENDER_STAGE_0);
    m_mwin->RenderMain(!popup);
    m_screens->Render(MWIN_RENDER_STAGE_1);
    if (popup) m_mwin->RenderPopups(1);
    m_screens->Render(MWIN_RENDER_STAGE_2);
  } else {
    MakeFieldGraphicsIfNeeded();
    if (m_mwin->IsOn()) m_mwin->RenderMain(!popup);
    QuarrelwickRender();
    if (m_mwin->IsOn()) m_mwin->RenderPopups(popup);
  }
  eng_main_device->EndRendering();
}

char Game::InputCB(_EngDesktopInputType type, EngInputParm1 parm1, EngInputParm2 parm2) {
  if (!eng_main_window || type < ENG_INPUT_MOUSE_MOVE || type > ENG_INPUT_CHARACTER) return 0;
  switch (type) {
    case ENG_INPUT_MOUSE_MOVE: MoveMouse(EngInputParmToFloat(parm1), EngInputParmToFloat(parm2)); return 0;
    case ENG_INPUT_MOUSE_BUTTON: return MouseButtonPressed(char(parm1 & 0xFF), char(parm2 & 0xFF));
    case ENG_INPUT_DOUBLE_CLICK: return 0;
    case ENG_INPUT_WHEEL: return AreScreensOn() ? m_mwin->MouseWheelMoved(parm1) : 0;
    case ENG_INPUT_KEY_DOWN:
      if (parm1 == kEscapeKey && HandleEscapeKeyPressed()) return 1;
      return AreScreensOn() ? m_mwin->KeyDown(parm1) : 0;
    case ENG_INPUT_KEY_UP: return AreScreensOn() ? m_mwin->KeyUp(parm1) : 0;
    case ENG_INPUT_CHARACTER: return AreScreensOn() ? m_mwin->KeyDownUChar((unsigned char)(parm1 & 0xFF)) : 0;
    default: return 0;
  }
}

void Game::MoveMouse(float x, float y) {
  if (AreScreensOn()) {
    m_mwin->MoveMouse(x, y);
    return;
  }
  QuarrelwickMoveMouse(x, y);
  if (!eng_main_window || !eng_main_window_windowed) return;
  char inside = (x >= 0 && x < float(eng_main_window_width) && y >= 0 && y < float(eng_main_window_height)) ? 1 : 0;
  if (inside && eng_main_window->IsCursorShown())
    eng_main_window->TurnOffCursor();
  else if (!inside && !eng_main_window->IsCursorShown())
    eng_main_window->TurnOnCursor();
}

char Game::MouseButtonPressed(char button, char state) {
  if (AreScreensOn()) return m_mwin->ButtonPressed(button, state == 2 ? 0 : state, 0);
  QuarrelwickMouseButtonPressed(button, state);
  return 1;
}

// ---- Play and the player ----

char Game::HandleEscapeKeyPressed() {
  if (AreScreensOn()) {
    if (m_mwin->GetCurrentScreen() != MAIN_SCREEN_ID || m_mwin->PopupIsOn()) return 0;
    if (!eng_main_window_windowed) {
      m_mwin->PopupMakeButtonsWide();
      m_mwin->PopupChangeButtonTextsForNextPopup(
          EngLanguagesGetStringIfExists("Main_ExitOrWindowedButtons", 0, "Exit"),
          EngLanguagesGetStringIfExists("Main_ExitOrWindowedButtons", 1, "Windowed"), nullptr);
      m_mwin->PopupYesNoCancel(
          nullptr, EngLanguagesGetStringIfExists("Main_ExitOrWindowedMsg", 0, "Exit the game, or play it in a window?"),
          GameAfterEscapePressedFullscreenCB, this);
      m_mwin->PopupRestoreButtonWidths();
    } else {
      m_mwin->PopupChangeButtonTextsForNextPopup(EngLanguagesGetStringIfExists("Main_ExitOrWindowedButtons", 0, "Exit"),
                                                 nullptr);
      m_mwin->PopupOkCancel(nullptr, EngLanguagesGetStringIfExists("Main_ExitMsg", 0, "Exit the game?"),
                            GameAfterEscapePressedWindowedCB, this);
    }
    return 1;
  }
  ReturnToMenus();
  return 1;
}

void GameAfterEscapePressedFullscreenCB(MWin *, char answer, void *) {
  if (answer == 1)
    EngMiscCloseProgram();
  else if (answer == 2 && eng_main_window)
    eng_main_window->ToggleFullscreenMode();
}

void GameAfterEscapePressedWindowedCB(MWin *, char answer, void *) {
  if (answer) EngMiscCloseProgram();
}

void Game::ReturnToMenus() {
  if (GameOverEnd() || GameWonEnd(0))
    EndGameAndGoToScoresScreen();
  else
    m_screens->StartScreen(PAUSE_SCREEN_ID, -1);
}

void Game::EndGameAndGoToScoresScreen() {
  ScoresSetCurrentGarden(level_garden);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  ScoresCheckGameOverScore();
  scores_control_from_game = 1;
  m_screens->GotoScreen(SCORES_SCREEN_ID, nullptr);
  ScoresPromptToSubmitLastScore();
}

void Game::ReturnToGame() {
  m_field_shown = 1;
  m_screens->End(-1);
  if (eng_main_window) eng_main_window->TurnOffCursor();
  QuarrelwickUpdateCursorPos(0);
  TutorialAdvanceIfNeeded();
  game_started = 1;
}

void Game::OptionsScreenDone() { m_screens->GoBack(); }

void Game::AfterUserLoaded(char just_created, char skip) {
  if (skip) return;
  if (just_created) {
    if (IsUserLoaded()) {
      _UserInfo *info = m_user->GetInfo();
      info->options.date_format = strcmp(info->country, "US") == 0 ? 0 : 1;
    } else
      DebugErrorAlt(ENG_FUNC, "User not loaded.");
  }
  m_screens->GetOptionsCC()->UpdatePower();
  SoundsUpdateVolumes();
  SoundStartOrStopMusic();
  if (IsUserLoaded()) m_user->GetInfo()->options.load_count++;
  m_screens->GotoScreen(MAIN_SCREEN_ID, nullptr);
  AskToResumeUsersGameIfExists();
}

static void GameAfterSavedGamePopupCB(MWin *, char answer, void *user) {
  if (user) static_cast<Game *>(user)->AfterSavedGamePopupCB(answer);
}

char Game::AskToResumeUsersGameIfExists() {
  if (!DoesSavedGameExist(0, 1)) return 0;
  if (m_mwin->PopupIsOn()) {
    DebugErrorAlt(ENG_FUNC, "Popup was on.");
    m_mwin->PopupTurnOff();
  }
  m_mwin->PopupYesNo(nullptr, EngLanguagesGetStringIfExists("Game_ResumeLastGame", 0, "Resume your last game?"),
                     GameAfterSavedGamePopupCB, this);
  return 1;
}

void Game::AfterSavedGamePopupCB(char answer) {
  if (answer != 1) {
    RemoveSavedGame(0, 1);
    return;
  }
  ReturnToGame();
  if (LoadSavedGame(0, 1)) return;
  game_started = 0;
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  m_mwin->PopupMessage(EngLanguagesGetStringIfExists("Game_ResumeFailed", 0, "Your last game could not be resumed"));
}

void Game::ComputerSleepingCB(char sleeping) {
  DebugInfo("Computer sleeping: %d", int(sleeping));
  GameSuspended(sleeping);
}

void Game::GameSuspended(char suspended) {
  if (suspended) {
    SoundStopAllMusic(1);
    SoundNeedToCheckIfMusicIsAlreadyPlayingOnDevice();
  } else {
    SoundStartOrStopMusic();
  }
  if (!IsUserLoaded()) return;
  m_user->GameSuspended(suspended);
  if (suspended) SaveUser(1);
}

void Game::SaveAllPreSwitchingOrExitingAppCB() {
  if (IsUserLoaded()) SaveUser(1);
}

void Game::SaveUser(char report) {
  if (!m_user || !IsUserLoaded()) {
    if (report) DebugInfo("%s", m_user ? "User is not loaded." : "No user.");
    return;
  }
  if (game_started && !game_over && !game_won)
    SaveGame(0, 1);
  else
    RemoveSavedGame(0, 1);
  m_user->Save(1);
  ResolutionUpdateSettingsFromCurrent();
  ResolutionSaveSettings();
}

void Game::UserIsBeingUnloaded() {
  if (!m_user || !IsUserLoaded()) {
    DebugInfo("%s", m_user ? "User is not loaded." : "No user.");
    return;
  }
  SoundStopAllMusic(1);
  SaveUser(1);
  m_user->Unload();
}

char Game::WindowActivatedCB(char) { return IS_MOBILE ? 1 : AreScreensOn(); }

void Game::WindowWasMinimized(char) {}

void Game::OrientationChanged(_EngOrientation orientation, char force) {
  if (orientation < ENG_ORIENTATION_LANDSCAPE_LEFT) {
    orientation =
        EngMainIsOrientationLandscapeLeftOrLandscapeRight() ? EngMainGetOrientation() : ENG_ORIENTATION_LANDSCAPE_LEFT;
  }
  if (!force && orientation == EngMainGetOrientation()) return;
  if (m_mwin->PopupIsOn()) m_mwin->PopupTurnOff();
  EngMainSetOrientation(orientation);
  m_mwin->UpdateOrientation();
  if (AreScreensOn()) m_screens->ReloadCurrentScreen();
  UpdateAfterOrientationChange();
}

void Game::UpdateAfterOrientationChange() {
  PostResolutionChangeCB();
  SetMWinSettings();
}

void Game::Pre3dExit() {
  if (IsUserLoaded()) {
    UserIsBeingUnloaded();
  } else {
    // Start-up left the settings on disk marked to show the start-up window; leaving without a
    // player (from the players' screens) must still write back the choice held in memory.
    ResolutionUpdateSettingsFromCurrent();
    ResolutionSaveSettings();
  }
  SoundExit();
  m_screens->RemoveAllScreens();
  m_mwin->Destroy();
}

void Game::Post3dExit() {
  QuarrelwickPost3dExit();
  ScoresFinalExit();
  EngLanguagesExit();
}

// ---- The player record's callbacks ----

void UserInfoSetDefaultOptionsCB(Game *, _UserInfo *info) {
  if (!info) return;
  memset(&info->options, 0, sizeof(info->options));
  UserOptions &o = info->options;
  o.show_startup_window = 1;
  o.notices_left = 3;
  o.always_load = 0;
  o.date_format = 0;
  o.processor_use = 0;
  o.load_count = 0;
  o.game_flag_512 = 0;
  o.sound_on = 1;
  o.sound_volume = 1.0f;
  o.music_on = 1;
  o.music_when = 1;
  o.music_volume = 0.25f;
  o.music_position = 0.0f;
  o.game_over_music_on = 1;
  o.game_over_music_volume = 0.25f;
  o.won_music_on = 1;
  o.won_music_volume = 0.25f;
  o.scores_garden = 0;
  o.scores_online = 1;
  o.scores_range = 1;
  o.scores_flag = 0;
  o.scores_auto_update = IS_MOBILE ? 0 : 1;
  o.scores_asked_auto_update = 0;
  for (_UserGardenProgress &garden : o.gardens) {
    garden.highest_difficulty = 0;
    garden.chosen_difficulty = 0;
    garden.wins = 0;
  }
  o.tutorial_on = 1;
  // A 16-bit field: a 32-bit -1 would spill into the record's unused bytes.
  info->other_games_pos = -1;
}

void UserInfoNewUserJustSavedCB(Game *, _UserInfo *, char) {}

void UserInfoUserAboutToBeDeletedCB(Game *, _UserInfo *, const char *, char) {}
