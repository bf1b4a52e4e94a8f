// The device kind: desktop, or a phone or tablet mode, with the IS_DESKTOP, IS_MOBILE,
// IS_TABLET and IS_HD_TABLET queries, the device orientation's layout and the device name.
// The desktop program stays in desktop mode.
#pragma once

#include "Engine/EngTypes.h"

class MWin;

extern char ewd_desktop_mode;
extern char ewd_tablet_mode;

#define IS_DESKTOP (ewd_desktop_mode == 0 ? 1 : 0)
#define IS_MOBILE (ewd_tablet_mode)
#define IS_TABLET (ewd_tablet_mode)
#define IS_HD_TABLET (ewd_tablet_mode == 2 ? 1 : 0)

void EngWhichDeviceSetDesktopMode(MWin *mwin);
// kind 0 or 1 (1 is the high-resolution tablet).
void EngWhichDeviceSetTabletMode(EngInt32 kind, MWin *mwin);
EngInt32 EngWhichDeviceGetDeviceOrientation();
// "Linux", or with detailed set the system version and machine in a 64-byte static text.
const char *EngWhichDeviceGetDeviceName(char detailed);

void EngWhichDeviceResetForTests();
