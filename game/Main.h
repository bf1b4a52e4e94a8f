// The game's start-up and exit entry points (declared for the engine in Engine/EngMain.h),
// its window title and creation parameters, and the program object they manage.
#pragma once

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"

class Program;

extern Program *main_program;
extern _EngCreateWindowParms main_create_window_parms;

// The player file's version and the game's version (2.01; players store it as "2010").
float MainGetUserFileVersion();
float MainGetGameVersion();

// Lets a test run the once-per-process set-up again.
void MainResetForTests();
