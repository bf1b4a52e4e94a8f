// The tutorial: for a player with the option on, one hint at a time (a framed text above a
// pulsing red frame round the sidebar box or bottom-bar button to use next), worked out again
// from the game state whenever it may have changed: a factory, two weapons, then Start.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngTexture;

// 1 while there is nothing to show (option off or every step done).
extern EngUInt8 tut_on;
// The text's fade: 0 start, 1 fading in, 2 shown; negative draws nothing.
extern EngInt32 tut_stage;
extern float tut_text_blend, tut_highlight_blend;
extern char tut_text_str[128];
// Only the first is set; a zero width is not drawn.
extern _Dimension tut_highlight_dims[3];
extern _Dimension tut_box_dim;
extern float tut_text_x, tut_text_y, tut_text_y_adj;
// "TutBox.png": the hint's box (white tint) and the highlight frames (red tint).
extern EngTexture *tut_box_tex;

// 0 (logged as "TutorialCreateGraphics() failed") when a hint needs "TutBox.png" and it
// cannot be loaded; play goes on without hints.
char TutorialCreateGraphics();
void TutorialDestroyGraphics();
void TutorialInitForNewGame(char restoring);
void TutorialAdvanceIfNeeded();
void TutorialTick();
void TutorialInGameRender();
void TutorialMainRender();
// When a hint is shown: the picture freed, nothing more shown, 1.
char TutorialEnd();

// Tests: -1 reads the player's option (off with no player loaded), 0 or 1 force it.
void TutorialSetOptionForTests(int on);
void TutorialResetForTests();
