// The shop column left of the play field (twelve boxes, one per weapon type, the boxes'
// pictures stamped into the column's texture) and the bottom bar (score, cash, lives, the
// Start/Pause/Resume button and the menu button), with the pointer and clicks over both.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngFont;
class EngTexture;

enum { QW_SIDEBAR_BOXES = 12 };

// "SideLeft1024.jpg" over (0, 0, 100, 450) and "BotBar1024.jpg" over (0, 450, 640, 30).
extern EngTexture *sb_left_tex;
extern EngTexture *sb_bottom_tex;
// The boxes in side-texture pixels (left, top, right, bottom) and in design units.
extern EngInt32 sb_lb_pos[QW_SIDEBAR_BOXES][4];
extern _Dimension sb_lb_tex_pos[QW_SIDEBAR_BOXES];
extern EngInt32 sb_lb_weapon_types[QW_SIDEBAR_BOXES];
extern EngUInt8 sb_button_on[QW_SIDEBAR_BOXES];
// The box under the pointer (-1 none); the bottom-bar button under it (0 none, 1
// Start/Pause/Resume, 2 menu).
extern EngInt32 sbl_over_what;
extern EngUInt8 sb_over_menu;
// The pointer in side-texture pixels.
extern float sbl_cursor_x, sbl_cursor_y;

// Life cycle.
void SidebarPre3dInit();
char SidebarCreateGraphics();
// Availability from the factory levels; unless negative, the boxes stamped again (1 also
// reloads the bottom bar). 0 when a picture could not be loaded or copied.
char SidebarUpdateFactories(char redraw);
void SidebarDestroyGraphics();
void SidebarInitForNewGame();
void SidebarTick();

// Per frame and input (X, Y in design units).
void SidebarRender();
// SidebarRender in two parts: the column's and the bottom bar's pictures, which change only
// when a box does, and the texts over them.
void SidebarRenderPictures();
void SidebarRenderTexts();
// A wave text (the wave and its bug, the bug's hit points) centred on the plaque at the top of
// the column, at y; and the width in design units it may take there.
void SidebarDrawWaveText(EngFont *font, float y, const char *text);
float SidebarGetWaveTextRoom();
// Both pictures are made: drawn, they cover the column and the bar.
char SidebarCoversItsPlace();
char SidebarMoveMouse(float X, float Y);
char SidebarMouseButtonPressed(char button, char state);
char SidebarStartPlacingWeapon(int type);
void SidebarCancelAnyPlacing();
void SidebarReset();

// A box's rectangle (on the screen when asked), widened by the margins and held inside
// 640 x 480; the bottom bar's Start button likewise. 0 on a bad box or button or a null result.
char SidebarGetSideButtonPosition(int box, char on_screen, float x_margin, float y_margin, _Dimension *out);
char SidebarGetBottomButtonPosition(int button, char log, float x_margin, float y_margin, _Dimension *out);

// The Start/Pause/Resume button's text for the current pause state.
const char *SidebarGetButtonText();

// Back to the start-up state, pictures freed (tests call it between cases).
void SidebarResetForTests();
