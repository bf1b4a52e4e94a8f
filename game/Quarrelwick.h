// The play field: one game's state (cash, score, lives, wave, pause, over and won), the
// placement grid, the per-frame tick and draw of the play-field modules in their fixed order,
// the play keys, the pointer in play-field coordinates and the sprite transform.
// Needs the game object only through the few Game… functions game/Game.h declares.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"
#include "game/PlayField.h"

class EngTexture;
class Weapon;

// QW_PLAY_... and QW_GAME_... (game/PlayField.h).
extern EngUInt8 play_state;
extern EngUInt8 game_paused;
extern EngUInt8 game_over;
extern double game_over_time;
extern EngUInt8 game_won;
extern EngUInt8 game_started;
extern EngInt32 bug_level_num;
extern EngInt32 cash;
extern EngInt32 score;
extern EngInt32 score_added;
extern EngInt32 lives;
extern EngInt32 factory_levels[3];
extern Weapon *weapon_to_place;
extern EngInt32 weapon_placing_type;
extern char score_str[128];
extern char lives_str[64];
extern char cash_str[128];
extern char level_str_1[128];
extern char level_str_2[128];
extern float cursor_x_fs, cursor_y_fs;
extern float cursor_x, cursor_y;
// Rows by y cell, columns by x cell: 0 free, 1 path, 2 taken by a weapon.
extern EngUInt8 grid[QW_GRID_SIZE][QW_GRID_SIZE];
// The frame's time step in seconds.
extern float game_per_second;
// "Range.tga" and "Numbers.tga" for the weapons. Made by QuarrelwickCreateGraphics.
extern EngTexture *range_tex;
extern EngTexture *numbers_tex;

// Life cycle.
char QuarrelwickPre3dInit();
char QuarrelwickCreateGraphics();
// The play field's pictures are made (and not destroyed since): a new garden's is read at once.
char QuarrelwickGraphicsCreated();
void QuarrelwickDestroyGraphics();
void QuarrelwickPost3dExit();
// restoring: a saved game is about to be put back, so no new wave is generated.
char QuarrelwickInitForNewGame(char restoring);
char QuarrelwickInitForNewLevel(char restoring);

// The counters; other modules change them only through these.
void QuarrelwickChangeCash(long delta);
void QuarrelwickChangeScore(long delta);
void QuarrelwickChangeLives(int delta);
void QuarrelwickUpdateLevelStrings();
void QuarrelwickShowNotEnoughMoneyMessage();

// Per frame and input (x, y in window pixels).
void QuarrelwickTick();
void QuarrelwickRender();
// The field's garden and shop column cover the whole window: the frame needs no clear.
char QuarrelwickFieldCoversWindow();
// On (the default), the field is drawn the short way: no clear under it, its still layers kept
// and put back with one copy, sprites only over their pictures' outlines; the same pixels as off,
// which draws every layer whole, as the comparisons of the two ways need.
void QuarrelwickSetFrameShortcuts(char on);
char QuarrelwickFrameShortcutsOn();
void QuarrelwickMoveMouse(float x, float y);
void QuarrelwickUpdateCursorPos(char type);
void QuarrelwickMouseButtonPressed(char button, char state);
EngInt8 QuarrelwickGetCursorType();

// The weapon type the 'G', 'S' and 'P' keys (family 0 gun, 1 spray, 2 projectile) and the
// sidebar pick: the family's best weapon for its factory level, or the factory itself.
EngInt32 QuarrelwickGetBestWeaponTypeOfFamily(int family);

// Shared with the other play-field modules.
void QuarrelwickFillGridFromTraverseData();
// The cell of a play-field point, held within the grid; either pointer may be null.
void QuarrelwickGetGridPosition(float x, float y, int *cell_x, int *cell_y);
// The cell's value, or 1 (not free) for a cell outside the grid.
EngUInt8 QuarrelwickGetGridCell(int cell_x, int cell_y);
// Draws that follow happen at play-field point (x, y), turned by pi/2 - angle about the
// offset (ox, oy), squashed to the play field's aspect when asked; save keeps the transform
// for the restore.
void QuarrelwickSetupPosAndZRotMatrices(float x, float y, float ox, float oy, float angle, char squash, char save);
void QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();

// Back to the start-up state (tests call it between cases).
void QuarrelwickResetForTests();
