// The game's start-up and exit entry points (declared for the engine in Engine/EngMain.h),
// its window title and creation parameters, and the program object they manage.
#pragma once

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "Engine/Resolution.h"

class Program;

extern Program *main_program;
extern _EngCreateWindowParms main_create_window_parms;

// The game's version (kept in the display settings and at the head of every saved game) and
// the versions of the display-settings record and the player file.
float MainGetGameVersion();
float MainGetResFileVersion();
float MainGetUserFileVersion();
// The web pages the display dialog links to: the game's home page and its forums.
const char *MainGetResolutionLinkCB(_ResolutionLinkType type);

// Lets a test run the once-per-process set-up again.
void MainResetForTests();
