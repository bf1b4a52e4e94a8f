// The in-engine menu bar interface. This platform has no menu bar: every call is present with
// the answer of a program without one (nothing consumed, nothing shown, zero height), so the
// toolkit can call it unconditionally. Only the cropping calls act, through the device.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngTexture;

typedef void (*EngMenuRowCB)(char);

void EngMenuNew();
void EngMenuSetupTextures(EngTexture *t1, EngTexture *t2, EngTexture *t3, EngTexture *t4, EngTexture *t5,
                          EngTexture *t6, EngTexture *t7, EngTexture *t8);
void EngMenuSetSizes(int i1, float f1, float f2, int i2, int i3, int i4, int i5, int i6, int i7, char c1);
void EngMenuSetTextColours(float r1, float g1, float b1, float r2, float g2, float b2, float r3, float g3, float b3);
void EngMenuAutoHide(char on);
void EngMenuHide();
void EngMenuTurnOn();
void EngMenuTurnOff();
void EngMenuHideNow();
void EngMenuUnhideNow();
void EngMenuFree();
void EngMenuExit();
void EngMenuCheckRow(int col, int row, char on);
void EngMenuCheckRowUsingUserData(int col, char user_data, char on, char c1);
void EngMenuCheckSubRow(int col, int sub, int row, char on);
void EngMenuCheckSubRowUsingUserData(int col, int sub, char user_data, char on, char c1);
void EngMenuEnableRow(int col, int row, char on);
void EngMenuEnableSubRow(int col, int sub, int row, char on);
void EngMenuUpdateBoxPositions();
void EngMenuSetFullViewport();
void EngMenuSetMainScreenViewport();
void EngMenuRender();
void EngMenuSetExtraMenuText(char on, const char *text);

char EngMenuDisable();
char EngMenuEnable();
char EngMenuIsEnabled();
int EngMenuAddCol(const char *name);
int EngMenuAddRowToCol(int col, const char *name, const char *shortcut, EngMenuRowCB callback, char user_data);
int EngMenuAddSubMenuToCol(int col, const char *name);
int EngMenuAddRowToSubMenu(int col, int sub, const char *name, const char *shortcut, EngMenuRowCB callback,
                           char user_data);
int EngMenuGetNumCols();
int EngMenuGetNumRowsInCol(int col);
int EngMenuGetNumSubsInRow(int col, int row);
// 1 when the menu bar consumed the event.
char EngMenuMouseMove(int x, int y);
char EngMenuMousePress(char button, char down);
char EngMenuIsOn();
char EngMenuIsShown();
char EngMenuIsHidden();
// In design units.
float EngMenuGetMenuBarHeight();
// In window pixels.
EngInt32 EngMenuGetMenuBarScreenHeight();

// Crop to a rectangle in design units; nothing without a device.
void EngMenuCropToAreaRatioed(_Dimension *dim);
void EngMenuCropToAreaRatioed(float x, float y, float w, float h);
