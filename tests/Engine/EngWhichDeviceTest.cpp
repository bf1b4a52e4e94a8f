// Device-kind switches, their toolkit calls, and the device name.
#include "Engine/EngWhichDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/utsname.h>
#include <vector>

#include "Engine/EngLayouts.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngToolkit.h"

namespace {

std::vector<std::string> toolkit_calls;
void RecordLayout(MWin *, _EngLayout layout) { toolkit_calls.push_back("SetScreenLayout " + std::to_string(layout)); }
void RecordOrientation(MWin *) { toolkit_calls.push_back("UpdateOrientation"); }

class EngWhichDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngWhichDeviceResetForTests();
    EngMainOrientationResetForTests();
    toolkit_calls.clear();
    _EngToolkitHooks hooks = {};
    hooks.set_screen_layout = RecordLayout;
    hooks.update_orientation = RecordOrientation;
    EngToolkitSetHooks(&hooks);
  }
  void TearDown() override {
    EngToolkitSetHooks(nullptr);
    EngWhichDeviceResetForTests();
    EngMainOrientationResetForTests();
  }
};

TEST_F(EngWhichDeviceTest, ModesSetTheKindAndTellTheToolkit) {
  MWin *mwin = reinterpret_cast<MWin *>(&toolkit_calls);  // opaque to the engine
  EXPECT_EQ(IS_DESKTOP, 1);
  EngWhichDeviceSetTabletMode(1, mwin);
  EXPECT_EQ(IS_DESKTOP, 0);
  EXPECT_EQ(IS_TABLET, 2);
  EXPECT_EQ(IS_HD_TABLET, 1);
  EngMainSetOrientation(ENG_ORIENTATION_LANDSCAPE_LEFT);
  EXPECT_EQ(EngWhichDeviceGetDeviceOrientation(), ENG_LAYOUT_TABLET_LANDSCAPE);
  EngWhichDeviceSetDesktopMode(mwin);
  EngWhichDeviceSetDesktopMode(nullptr);
  EXPECT_EQ(IS_DESKTOP, 1);
  EXPECT_EQ(IS_MOBILE, 0);
  EXPECT_EQ(EngWhichDeviceGetDeviceOrientation(), 0);
  EXPECT_EQ(toolkit_calls, (std::vector<std::string>{"UpdateOrientation", "SetScreenLayout 0"}));
  ewd_desktop_mode = 1;  // no tablet kind: unknown, answered as the desktop
  EXPECT_EQ(EngWhichDeviceGetDeviceOrientation(), 0);
}

TEST_F(EngWhichDeviceTest, DeviceNameComesFromUname) {
  EXPECT_STREQ(EngWhichDeviceGetDeviceName(0), "Linux");
  struct utsname u;
  ASSERT_EQ(uname(&u), 0);
  std::string detailed = EngWhichDeviceGetDeviceName(1);
  EXPECT_EQ(detailed.rfind("Linux 0x", 0), 0u) << detailed;
  EXPECT_NE(detailed.find(u.machine), std::string::npos) << detailed;
  EXPECT_LT(detailed.size(), 64u);
}

}  // namespace
