#include "game/Main.h"

#include <cstdio>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngVarious.h"
#include "Engine/Resolution.h"
#include "game/Program.h"
#include "online/CurlInterface.h"
#include "online/Updater.h"

Program *main_program = nullptr;
_EngCreateWindowParms main_create_window_parms;

static char process_set_up = 0;

void MainResetForTests() { process_set_up = 0; }

// Once per process, before anything touches the user's folder.
static char SetUpProcess() {
  if (process_set_up) return 1;
  // libcurl is set up by the first transfer, on the thread that starts it (its global set-up is
  // thread-safe), so a run that never goes online does not pay for the TLS libraries.
  EngEncryptionInit("QX_SEALING_KEY");
  if (!PrefFolderSetup("Quarrelwick", 1, "LogFile.txt", 1)) return 0;
  // The display settings module takes no value between the program name and the game version.
  // Bad or missing settings fall back to their defaults and start-up goes on.
  ResolutionSetWeeklyVersionCheckCB(UpdaterDoWeeklyVersionCheck);
  ResolutionSetUpdaterCB(Updater);
  ResolutionSetupModule(UPDATER_PROGRAM_QUARRELWICK, MainGetGameVersion(), MainGetResFileVersion(),
                        MainGetResolutionLinkCB, 0, 1, 0, 0, 0, "Resolution", "License", "License.txt", "Startup",
                        "ResTitle.jpg");
  ResolutionLoadSettings();
  process_set_up = 1;
  return 1;
}

char MainCreateAndInitMainProgram(void *, int argc, char **argv, int *exit_code) {
  if (!SetUpProcess()) {
    if (exit_code) *exit_code = -1;
    return 0;
  }
  main_program = new Program();
  EngMainUpdateCurrentTime();
  signed char result = main_program->Init(nullptr, argc, argv);
  if (result > 0) return 1;
  if (result == 0) {
    DebugErrorAlt(ENG_FUNC, "Init Failed");
    if (exit_code) *exit_code = -1;
  } else if (exit_code) {
    *exit_code = 0;
  }
  return 0;
}

const char *MainGetGameName() { return "Quarrelwick"; }

float MainGetGameVersion() { return 2.01f; }
float MainGetResFileVersion() { return 1.5f; }
float MainGetUserFileVersion() { return 2.0f; }

const char *MainGetResolutionLinkCB(_ResolutionLinkType type) {
  static char home[256], forums[512];
  if (!home[0]) {
    snprintf(home, sizeof(home), "%s/quarrelwick", various_tallowmere_home_page);
    snprintf(forums, sizeof(forums), "%s/forums", home);
  }
  if (type == RESOLUTION_LINK_HOME) return home;
  if (type == RESOLUTION_LINK_FORUM) return forums;
  return nullptr;
}

_EngCreateWindowParms *MainGetCreateWindowParms() { return &main_create_window_parms; }

char MainExitAndDeleteMainProgram(char) {
  if (main_program) {
    main_program->Exit(1);
    delete main_program;
    main_program = nullptr;
  }
  DebugPlainText("Exited program.");
  DebugPlainText("------------------------------------------------------");
  // Last of all: the workers are joined and the after-exit callback (which may download) ran.
  CurlInterface_ExitCurl();
  return 1;
}
