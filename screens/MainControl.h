// The menus' shared title picture, "QuarrelwickTitle.ttx": loaded when the main, pause or
// selection screen starts, attached to every menu screen's Title button (which animates it),
// destroyed when one of those screens leaves. A Title press offers the game's web page.
#pragma once

#include "Engine/EngTypes.h"

class EngPicture;
class MWinButton;

// 1 when the picture is loaded and its textures made. A picture that cannot be loaded or made
// is reported once; later calls leave the title empty without trying again.
char MainControlCreateGraphics();
// Attaches the picture (in whatever state it is) to a Title button, without its backing.
void MainControlSetupTitleButton(MWinButton *button);
void MainControlDestroyGraphics();
void MainControlTitleButtonClicked(MWinButton *button);

// The game's page on the maker's web site.
const char *MainControlGetGamePageAddress();

EngPicture *MainControlGetTitlePicture();
// Forgets an earlier failure to load, for tests.
void MainControlResetForTests();
