#include "game/Program.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "players/Country.h"
#include "players/UsersCC.h"
#include "screens/VQ_Screens.h"

Program::~Program() {
  // ExitCB normally has deleted the game; a program torn down without Exit must not leak it.
  if (m_game) {
    if (main_game == m_game) main_game = nullptr;
    delete m_game;
    m_game = nullptr;
  }
}

// Saves the display settings with the "shown" flag set, then gives the flag back its value.
static void SaveDisplaySettingsMarked(char restore_to) {
  resolution.show_dialog = 1;
  ResolutionUpdateSettingsFromCurrent();
  ResolutionSaveSettings();
  resolution.show_dialog = restore_to;
}

signed char Program::InitCB(int, char **) {
  m_game = nullptr;
  // A desktop ends a session (log-out, `kill`) with SIGTERM. The game then closes as its Quit
  // command does, through the loop's end and the whole closing-down (the game's exit callbacks
  // and main's last log lines), rather than by the engine's immediate exit that skips them.
  SetSignalsEndLikeQuit(1);
  EngLanguagesSetLangNameStringToEnglish(resolution.language, 1, 1);
  if (!EngLanguagesInitWithCommonTexts(resolution.language, 1)) return 0;
  EngLanguagesInitFinished();

  _UserModule user_module;
  memset(&user_module, 0, sizeof(user_module));
  user_module.title_image_mode = 2;
  user_module.show_splash = 1;
  user_module.show_logo_text = 1;
  if (!ModulesSetup(&user_module, Program_GetModulesItemFilenameCB)) return 0;
  ModulesSetEngPictureTextureFileOverwriteCB(Program_SetEngPictureTextureFileOverwriteCB);

  CountrySetupModule(0, 0, Program::AfterCountryScreensDoneCB_Static, this, 0.0f, 0.0f);

  m_game = new Game(this, "Game", 0);
  main_game = m_game;
  if (!m_game->SetupAll()) return 0;

  // The weekly check saves the settings stamped with this program's version, so the version
  // that last saved them is read before it: after an update the display dialog still shows.
  char loaded_before_check = ResolutionLoadSettings();
  float stored_version = resolution.game_version;
  if (ResolutionDoWeeklyVersionCheck()) {
    resolution.show_dialog = 1;
    return -1;
  }
  if (ResolutionLoadSettings() && loaded_before_check && resolution.show_dialog == 0 &&
      stored_version == MainGetGameVersion()) {
    SaveDisplaySettingsMarked(0);
    return 1;
  }
  char earlier = resolution.show_dialog;
  resolution.show_dialog = 1;
  signed char answer = ResolutionDoDialog();
  if (answer < 0) return answer;  // licence declined, Quit or the close box
  // No dialog could be shown (0): start with the settings as loaded; like a shown one, it is
  // offered again next time.
  if (answer == 0) ResolutionSetSettings();
  SaveDisplaySettingsMarked(earlier);
  return 1;
}

signed char Program::PreCreateWindowCB(_EngCreateWindowParms *parms) {
  return m_game ? m_game->PreCreateWindow(parms) : 0;
}

signed char Program::PreDeviceInitCB() { return m_game ? m_game->Pre3dInit() : 0; }

signed char Program::PostDeviceInitCB() { return m_game ? m_game->Post3dInit() : 0; }

// Window managers draw the window's frame and resize handle: no corner picture is made or drawn.
signed char Program::CreateGraphicsObjectsCB() { return m_game ? m_game->CreateGraphics() : 0; }

void Program::DestroyGraphicsObjectsCB() {
  if (m_game) m_game->DeleteGraphics();
}

signed char Program::TickCB() {
  if (!eng_main_device) return 0;
  if (!GetWindow()) return 1;
  if (m_game) m_game->Tick();
  return 1;
}

void Program::RenderCB() {
  if (m_game) m_game->Render();
}

signed char Program::InputCB(_EngDesktopInputType type, EngInputParm1 parm1, EngInputParm2 parm2) {
  if (!m_game) return 0;
  return m_game->InputCB(type, parm1, parm2);
}

void Program::OrientationChangedCB(_EngOrientation orientation) {
  if (IS_MOBILE && m_game) m_game->OrientationChanged(orientation, 1);
}

void Program::ComputerSleepingCB(char sleeping) {
  if (m_game) m_game->ComputerSleepingCB(sleeping);
}

void Program::WindowActivatedCB(char active) {
  if (!m_game) return;
  // Switching away from the game saves the player, as sleeping and exiting do.
  if (!active) m_game->SaveAllPreSwitchingOrExitingAppCB();
  m_game->WindowActivatedCB(active);
}

void Program::WindowWasMinimized(char minimised) {
  if (m_game) m_game->WindowWasMinimized(minimised);
}

void Program::WindowResizedCB() {
  if (m_game) m_game->PostResolutionChangeCB();
}

void Program::PreDeviceExitCB() {
  if (m_game) m_game->Pre3dExit();
}

void Program::ExitCB() {
  if (!m_game) return;
  m_game->Post3dExit();
  if (main_game == m_game) main_game = nullptr;
  delete m_game;
  m_game = nullptr;
}

void Program::AfterCountryScreensDoneCB() {
  UsersControlDestroyGraphics();
  if (m_game && m_game->GetMWin()) m_game->GetScreens()->GotoScreen(MAIN_SCREEN_ID, nullptr);
}

void Program::AfterCountryScreensDoneCB_Static(void *program) {
  if (program) static_cast<Program *>(program)->AfterCountryScreensDoneCB();
}

const char *Program_GetModulesItemFilenameCB(_ModulesItem item) {
  switch (int(item)) {
    case MODULES_ITEM_TITLE_PICTURE: return "QuarrelwickTitle.ttx";
    case MODULES_ITEM_LOGO_TEXT_PICTURE: return "TmText.ttx";
    case MODULES_ITEM_LOGO_RING_TEXTURE: return "TallowRing.png";
    case MODULES_ITEM_LOGO_TEXT_TEXTURE: return "TmText.png";
    case MODULES_ITEM_EFFECTS_TEXTURE: return "TexEffects1.png";
    case MODULES_ITEM_MENU_BACKGROUND: return "MenuBg.jpg";
    default: DebugErrorAlt(ENG_FUNC, "Unexpected item %d", int(item)); return "";
  }
}

// The picture hook hands the folder first and the texture's file name second. Only the title's
// text is known here; the player screens take the hook away before they read their pictures.
char Program_SetEngPictureTextureFileOverwriteCB(const char *, const char *file, char *out, int size) {
  if (file && strcmp(file, "QuarrelwickText.png") == 0) {
    if (out && size > 0) EngSafeStrcpy(out, file, size);
    return 1;
  }
  DebugErrorAlt(ENG_FUNC, "Unexpected file <%s>", file ? file : "");
  return 0;
}
