#include "Engine/EngMenu.h"

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"

void EngMenuNew() {}
void EngMenuSetupTextures(EngTexture *, EngTexture *, EngTexture *, EngTexture *, EngTexture *, EngTexture *,
                          EngTexture *, EngTexture *) {}
void EngMenuSetSizes(int, float, float, int, int, int, int, int, int, char) {}
void EngMenuSetTextColours(float, float, float, float, float, float, float, float, float) {}
void EngMenuAutoHide(char) {}
void EngMenuHide() {}
void EngMenuTurnOn() {}
void EngMenuTurnOff() {}
void EngMenuHideNow() {}
void EngMenuUnhideNow() {}
void EngMenuFree() {}
void EngMenuExit() {}
void EngMenuCheckRow(int, int, char) {}
void EngMenuCheckRowUsingUserData(int, char, char, char) {}
void EngMenuCheckSubRow(int, int, int, char) {}
void EngMenuCheckSubRowUsingUserData(int, int, char, char, char) {}
void EngMenuEnableRow(int, int, char) {}
void EngMenuEnableSubRow(int, int, int, char) {}
void EngMenuUpdateBoxPositions() {}
void EngMenuSetFullViewport() {}
void EngMenuSetMainScreenViewport() {}
void EngMenuRender() {}
void EngMenuSetExtraMenuText(char, const char *) {}

char EngMenuDisable() { return 0; }
char EngMenuEnable() { return 0; }
char EngMenuIsEnabled() { return 0; }
int EngMenuAddCol(const char *) { return 0; }
int EngMenuAddRowToCol(int, const char *, const char *, EngMenuRowCB, char) { return 0; }
int EngMenuAddSubMenuToCol(int, const char *) { return 0; }
int EngMenuAddRowToSubMenu(int, int, const char *, const char *, EngMenuRowCB, char) { return 0; }
int EngMenuGetNumCols() { return 0; }
int EngMenuGetNumRowsInCol(int) { return 0; }
int EngMenuGetNumSubsInRow(int, int) { return 0; }
char EngMenuMouseMove(int, int) { return 0; }
char EngMenuMousePress(char, char) { return 0; }
char EngMenuIsOn() { return 0; }
char EngMenuIsShown() { return 0; }
char EngMenuIsHidden() { return 0; }
float EngMenuGetMenuBarHeight() { return 0.0f; }
EngInt32 EngMenuGetMenuBarScreenHeight() { return 0; }

void EngMenuCropToAreaRatioed(_Dimension *dim) {
  if (eng_main_device && dim) eng_main_device->CropToAreaRatioed(dim);
}

void EngMenuCropToAreaRatioed(float x, float y, float w, float h) {
  if (eng_main_device) eng_main_device->CropToAreaRatioed(x, y, w, h);
}
