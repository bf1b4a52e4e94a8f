// The game's look for the toolkit: its two skin textures, its named and standard texture
// buttons, the spacing values of the five per-layout settings blocks, and the main font.
// Registered once at start-up, before any screen layout names these ids.
#pragma once

#include "Engine/EngTypes.h"

class EngFont;
class MWin;

char QuarrelwickMWinSetupTexturesAndTexButs(MWin *mwin);
char QuarrelwickMWinSetMWinSettings(MWin *mwin);
char QuarrelwickMWinCreateFontApart(int font_num, const char *file, EngFont *font);
// A font set-up through the toolkit's registry instead (the font "Main" made from a file with
// the same values, and fifteen named styles); the game makes its font apart and does not use it.
char QuarrelwickMWinSetupFonts(MWin *mwin, char load_default_font, char add_main_font, const char *file);
char QuarrelwickMWinAddFirstUserFontsStylesToFont(MWin *mwin, int font_num);

// The skin's table, as registered: for the tests and the atlas check.
enum _QuarrelwickSkinStateKind : EngInt32 {
  QW_SKIN_STATE_NONE = 0,  // an empty texture id and (0, 0)-(1, 1)
  QW_SKIN_STATE_RECT = 1,  // a rectangle of "Buttons"
  QW_SKIN_STATE_SAME = 2,  // the normal rectangle again
};

struct _QuarrelwickSkinState {
  _QuarrelwickSkinStateKind kind;
  float left, top, right, bottom;
};

struct _QuarrelwickSkinColour {
  EngInt32 state;  // -1 ends the list
  float r, g, b, a;
};

struct _QuarrelwickSkinButton {
  const char *id;
  EngInt32 slot;  // -1 for a named button
  _QuarrelwickSkinState states[4];
  EngInt32 style_x;
  float edge_x, size_x;
  EngInt32 style_y;
  float edge_y, size_y;
  float extra[3];
  _QuarrelwickSkinColour colours[4];
};

const _QuarrelwickSkinButton *QuarrelwickMWinGetSkinTable(int *count);
// The rectangle a state draws from (its own, or the normal one for "same"); 0 for an unset state.
char QuarrelwickMWinGetSkinStateRect(const _QuarrelwickSkinButton *button, int state, float *left, float *top,
                                     float *right, float *bottom);
