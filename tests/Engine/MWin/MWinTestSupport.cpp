#include "tests/Engine/MWin/MWinTestSupport.h"

#include <cstring>
#include <map>

#include "Engine/EngDebug.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"

namespace qwtest {

static std::map<std::string, int> presses;

void SetWindowSizeForToolkit(int width, int height, float widescreen_ratio) {
  eng_main_window_width = width;
  eng_main_window_height = height;
  eng_main_window_x_ratio = float(width) / 640.0f;
  eng_main_window_y_ratio = float(height) / 480.0f;
  eng_main_window_x_ratio_inv = 640.0f / float(width);
  eng_main_window_y_ratio_inv = 480.0f / float(height);
  eng_main_window_x_widescreen_ratio = widescreen_ratio;
  eng_main_window_y_narrowscreen_ratio = 1.0f;
}

std::string Logged(const std::function<void()> &f) {
  ::testing::internal::CaptureStderr();
  f();
  return ::testing::internal::GetCapturedStderr();
}

void MWinTest::SetUp() {
  DebugResetForTests();
  EngWhichDeviceResetForTests();
  SetWindowSizeForToolkit(640, 480);
  memset(eng_key_down, 0, sizeof(eng_key_down));
  presses.clear();
  mwin = new MWin(nullptr);
  ASSERT_TRUE(mwin->Startup());
}

void MWinTest::TearDown() {
  delete mwin;
  mwin = nullptr;
  EXPECT_EQ(MWinButton::total_buttons_created, 0);
}

MWinWindow *MWinTest::AddWindow(MWinCollection *collection, const char *id, float x, float y, float w, float h,
                                _MWinWindowType type) {
  _MWinWindowCreateInfo info;
  memset(&info, 0, sizeof(info));
  info.window_type = type;
  info.x = x;
  info.y = y;
  info.width = w;
  info.height = h;
  return collection->AddWindow(id, &info);
}

static void CountPress(MWin *, _MWinButtonCallbackInfo *info, int, int) { presses[info->button_id]++; }

MWinButton *MWinTest::AddCountingButton(MWinWindow *window, const char *id, float x, float y, float w, float h) {
  return window->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, x, y, w, h, CountPress, 0, 0);
}

int MWinTest::Presses(const std::string &id) { return presses.count(id) ? presses[id] : 0; }

void MWinTest::Click(float x, float y, char button) {
  mwin->MoveMouse(x, y);
  mwin->ButtonPressed(button, 1, 0);
  mwin->ButtonPressed(button, 0, 0);
}

}  // namespace qwtest
