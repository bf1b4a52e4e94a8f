#include "Engine/EngWhichDevice.h"

#include <cstdio>
#include <sys/utsname.h>

#include "Engine/EngDebug.h"
#include "Engine/EngLayouts.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngToolkit.h"

char ewd_desktop_mode = 0;
char ewd_tablet_mode = 0;

static char device_name[64];

void EngWhichDeviceResetForTests() {
  ewd_desktop_mode = 0;
  ewd_tablet_mode = 0;
  device_name[0] = 0;
}

void EngWhichDeviceSetDesktopMode(MWin *mwin) {
  ewd_desktop_mode = 0;
  ewd_tablet_mode = 0;
  if (mwin) EngToolkitSetScreenLayout(mwin, ENG_LAYOUT_DESKTOP);
}

void EngWhichDeviceSetTabletMode(EngInt32 kind, MWin *mwin) {
  ewd_desktop_mode = 1;
  ewd_tablet_mode = char(kind + 1);
  if (mwin) EngToolkitUpdateOrientation(mwin);
}

EngInt32 EngWhichDeviceGetDeviceOrientation() {
  if (ewd_desktop_mode == 0) return 0;
  if (ewd_tablet_mode == 0) {
    DebugErrorAlt(ENG_FUNC, "Unknown");
    return 0;
  }
  return EngMainIsOrientationPortraitOrPortraitUpsideDown() ? ENG_LAYOUT_TABLET_PORTRAIT : ENG_LAYOUT_TABLET_LANDSCAPE;
}

const char *EngWhichDeviceGetDeviceName(char detailed) {
  if (!detailed) return "Linux";
  struct utsname u;
  const char *machine = uname(&u) == 0 ? u.machine : "?";
  int n = snprintf(device_name, sizeof(device_name), "Linux 0x%lx ", EngMiscGetOsxVersion_MAC());
  if (n > 0 && size_t(n) < sizeof(device_name)) EngSafeStrcpy(device_name + n, machine, sizeof(device_name) - size_t(n));
  return device_name;
}
